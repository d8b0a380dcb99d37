// corvalinectl set, run as a user runs it, with the bytes checked through
// the core: every function and setting, the refusals and the bad values.
#include <gtest/gtest.h>

#include <cstring>

#include "core/buttons/button_action.h"
#include "core/profiles/function_words.h"
#include "core/settings/config_file.h"
#include "core/settings/ini_file.h"
#include "process_runner.h"

namespace corvaline {
namespace {

using testing_support::ReadFileBytes;
using testing_support::ToolSandbox;
using testing_support::WriteFileBytes;

using testing_support::kSource;

struct Folder {
  ToolSandbox box;
  std::filesystem::path config = box / "config.bin";
  Folder() {
    std::filesystem::copy_file(kSource / "assets" / "config.bin", config);
    std::filesystem::copy_file(kSource / "assets" / "str.ini", box / "str.ini");
    WriteFileBytes(box / "record.ini",
                   "[copy]\r\nItemCount=3\r\nItem0=Ctrl   Dn\r\nItem1=50 ms\r\nItem2=Ctrl   Up\r\n"
                   "[paste]\r\nItemCount=1\r\nItem0=V   Dn\r\n");
  }
  testing_support::ProcessResult Set(std::vector<std::string> args) const {
    args.insert(args.begin(), "set");
    args.push_back("--config");
    args.push_back(config.string());
    return box.Run(args);
  }
  SettingsBlock Block() const {
    SettingsBlock b{};
    const std::string bytes = ReadFileBytes(config);
    EXPECT_EQ(bytes.size(), kConfigFileSize);
    std::memcpy(&b, bytes.data() + 1, sizeof b);
    return b;
  }
  std::string Files() const {
    return ReadFileBytes(config) + '|' + ReadFileBytes(box / "str.ini") + '|' +
           ReadFileBytes(box / "record.ini");
  }
};

TEST(CorvalinectlSet, EveryFunctionGivesTheWordOfTheMenusAndItsCaption) {
  struct Case {
    std::vector<std::string> words;
    std::uint32_t word;
    std::string caption;
  };
  const std::vector<Case> cases = {
      {{"right-click"}, 0x00F10001, "Right Click"},
      {{"middle-click"}, 0x00F20001, "Mid Click"},
      {{"forward"}, 0x00F40001, "Forward"},
      {{"backward"}, 0x00F30001, "Backward"},
      {{"triple-click"}, 0x0322F00A, "Triple-click"},
      {{"dpi+"}, 0x00010007, "DPI +"},
      {{"dpi-"}, 0x00020007, "DPI -"},
      {{"dpi-loop"}, 0x00030007, "DPI Loop"},
      {{"shift-dpi"}, 0x01040007, "Shift DPI"},
      {{"rgb-toggle"}, 0x00030008, "RGB On/Off"},
      {{"windows", "Calculator"}, 0x01920003, "Calculator"},
      {{"media", "vol+"}, 0x00E90003, "Multimedia-Vol+"},
      {{"fire", "R-Button", "--speed", "5", "--times", "0"}, 0x0005F10A, "Fire Key-R-Button"},
      {{"key", "Page", "Up"}, 0x004B0000, "Single Key-Page Up"},
      {{"combo", "Left Ctrl+Z"}, 0x001D0100, "Combo Key-Left Ctrl+Z"},
      {{"combo", "Right Alt+Num +"}, 0x00574000, "Combo Key-Right Alt+Num +"},
      {{"macro", "paste", "--repeat", "while-held"}, 0x00020209, "Macro Key-paste"},
      {{"macro", "1"}, 0x00010009, "Macro Key-copy"},
      {{"shift"}, 0x00020008, "Shift"},
      {{"off"}, 0x00000000, "Key Off"},
      {{"left-click"}, 0x00F00001, "Left Click"},
  };
  Folder f;
  for (const Case& c : cases) {
    std::vector<std::string> args = {"button", "3"};
    args.insert(args.end(), c.words.begin(), c.words.end());
    const auto r = f.Set(args);
    ASSERT_EQ(r.status, 0) << c.words[0] << ": " << r.err;
    EXPECT_EQ(EncodeButtonAction(f.Block(), KeyGroup::ModeA, 2), c.word) << c.words[0];
    EXPECT_EQ(IniReadString(f.box / "str.ini", "Setting-EN", "Item3"), c.caption) << c.words[0];
    // What set prints is what show prints: the words read back the same.
    const auto shown = f.box.Run({"show", f.config.string()});
    const auto words = r.out.find(": ") + 2;
    EXPECT_NE(shown.out.find("button 3: " + r.out.substr(words, r.out.find(" (saved") - words) +
                             "\n"),
              std::string::npos)
        << shown.out << r.out;
  }
  // The first save stored the first-run byte and the default captions the
  // program would otherwise have reset the set one to.
  EXPECT_EQ(ReadFileBytes(f.config)[0], 1);
  EXPECT_EQ(IniReadString(f.box / "str.ini", "Setting-EN", "Item9"), "Combo Key-left Win+D");
  // Shift lands in both groups; --mode B edits the other group only.
  ASSERT_EQ(f.Set({"button", "6", "shift"}).status, 0);
  ASSERT_EQ(f.Set({"button", "2", "--mode", "B", "key", "F5"}).status, 0);
  const SettingsBlock b = f.Block();
  EXPECT_EQ(EncodeButtonAction(b, KeyGroup::ModeB, 5), 0x00020008u);
  EXPECT_EQ(EncodeButtonAction(b, KeyGroup::ModeB, 1), 0x003E0000u);
  EXPECT_EQ(EncodeButtonAction(b, KeyGroup::ModeA, 1), 0x00F10001u);
}

TEST(CorvalinectlSet, SettingsOfTheBasicAndAdvancedPages) {
  Folder f;
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"rate", "250"},
        {"dpi", "2", "--level", "12", "--colour", "#102030", "--sensor-type", "0"},
        {"dpi", "4", "--off"},
        {"lighting", "respiration", "--parameter", "5s", "--option", "RGB Flash"},
        {"pointer", "--speed", "11", "--wheel", "7", "--double-click", "200", "--precision",
         "on"}}) {
    const auto r = f.Set(args);
    ASSERT_EQ(r.status, 0) << args[0] << ": " << r.err;
  }
  const SettingsBlock b = f.Block();
  EXPECT_EQ(b.reportRateCode, 4);
  EXPECT_EQ(b.dpiStageIndex[1], 11);
  EXPECT_EQ(b.dpiStageColour[1][0], 0x10);
  EXPECT_EQ(b.dpiStageColour[1][2], 0x30);
  EXPECT_EQ(b.dpiStageEnabled[3], 0);
  EXPECT_EQ(b.ledEffect, 2);
  EXPECT_EQ(b.ledRespirationSpeed, 3);   // "5S" is the fourth entry
  EXPECT_EQ(b.ledRespirationOption, 2);  // "RGB Flash" is option name 2
  EXPECT_EQ(b.pointerSpeedLevel, 11);
  EXPECT_EQ(b.wheelScrollLines, 7);
  EXPECT_EQ(b.wheelPageScroll, 0);
  EXPECT_EQ(b.doubleClickLevel, 11);
  EXPECT_EQ(b.pointerPrecision, 1);
  ASSERT_EQ(f.Set({"pointer", "--wheel", "page"}).status, 0);
  EXPECT_EQ(f.Block().wheelPageScroll, 1);
  EXPECT_EQ(f.Block().wheelScrollLines, 7);  // the slider keeps its place
}

TEST(CorvalinectlSet, RefusalsExitThreeMissingFourBadValuesTwoAndNothingIsWritten) {
  Folder f;
  ASSERT_EQ(f.Set({"button", "1", "right-click"}).status, 3);  // the only left button
  ASSERT_EQ(f.Set({"button", "4", "shift"}).status, 0);
  ASSERT_EQ(f.Set({"dpi", "1", "--off"}).status, 0);
  ASSERT_EQ(f.Set({"dpi", "2", "--off"}).status, 0);
  ASSERT_EQ(f.Set({"dpi", "3", "--off"}).status, 0);
  const std::string before = f.Files();
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{"button", "1", "right-click"}, 3, "Left key must be selected!"},
      {{"button", "5", "shift"}, 3, "button 4 already is"},
      {{"dpi", "4", "--off"}, 3, "stays on"},
      {{"dpi", "1", "--colour", "#FF0000"}, 3, "only while it is on"},
      {{"button", "11", "off"}, 2, "1 to 10"},
      {{"button", "3", "key", "NoSuchKey"}, 2, "unknown key name"},
      {{"button", "3", "key", ""}, 2, "key needs a key name"},
      {{"button", "3", "combo", ""}, 2, "combo needs keys"},
      {{"button", "3", "fire", "A", "--speed", "4"}, 2, "--speed"},
      {{"button", "3", "fire", "A", "--times", "256"}, 2, "--times"},
      {{"button", "3", "macro", "nothing"}, 4, "its macros are copy, paste"},
      {{"button", "3", "macro", "3"}, 4, "no macro 3"},  // the window offers only these two
      {{"button", "3", "macro", "copy", "--repeat", "forever"},
       2,
       "--repeat takes " + RepeatWordsJoined(", ", " or ")},
      {{"button", "3", "combo", "Left Ctrl+Q+W+E"}, 2, "combination"},
      {{"button", "3", "media", "Louder"}, 2, "Vol+"},
      {{"button", "3", "teleport"}, 2, "unknown function"},
      {{"rate", "300"}, 2, "125, 250"},
      {{"dpi", "5"}, 2, "1 to 4"},
      {{"dpi", "1", "--level", "9", "--sensor-type", "1"},
       2,
       "sensor type 1 the DPI level is a number from 1 to 8"},
      {{"dpi", "1", "--colour", "red"}, 2, "#RRGGBB"},
      {{"lighting", "standard", "--parameter", "6S"}, 2, "5%"},
      {{"lighting", "neon", "--option", "RGB Effect"}, 2, "RGB Flash"},
      {{"lighting", "off", "--parameter", "1S"}, 2, "no --parameter"},
      {{"pointer", "--double-click", "500"}, 2, "550"},
      {{"pointer", "--speed", "0"}, 2, "1 to 11"},
      {{"pointer", "--wheel", "12"}, 2, "0 to 11"},
  };
  for (const Case& c : cases) {
    const auto r = f.Set(c.args);
    std::string joined;
    for (const auto& a : c.args) joined += a + " ";
    EXPECT_EQ(r.status, c.status) << joined << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << joined << r.err;
    // A rule of the button menus is explained on a second line.
    const bool rule = c.status == 3 && c.args[0] == "button";
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), rule ? 2 : 1) << joined << r.err;
    if (c.status == 2) {
      EXPECT_NE(r.err.find("'corvalinectl set --help'"), std::string::npos) << r.err;
    }
  }
  EXPECT_NE(f.Set({"button", "1", "right-click"}).err.find("\ncorvalinectl: each key group keeps"),
            std::string::npos);
  EXPECT_EQ(f.Files(), before);
  // The usage names the same repeat words the refusal does.
  EXPECT_NE(f.box.Run({"set", "--help"}).out.find("[--repeat " + RepeatWordsJoined("|", "|") + "]"),
            std::string::npos);
}

// One vocabulary: every spelling the program uses for a key is taken in each
// place, levels count from 1, double-click times are in ms, and each change
// says where it went and how it reaches the mouse.
TEST(CorvalinectlSet, AnUnreadableStrIniIsKeptAsideAndMadeAnewWithTheChange) {
  Folder f;
  WriteFileBytes(f.box / "str.ini", std::string((16u << 20) + 1, ';'));
  const auto r = f.Set({"button", "4", "backward"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("str.ini could not be read"), std::string::npos) << r.err;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  EXPECT_EQ(IniReadString(f.box / "str.ini", "Setting-EN", "Item4"), "Backward");
  EXPECT_EQ(IniReadString(f.box / "str.ini", "Setting-EN", "Item1"), "Left Click");
  int kept = 0;
  for (const auto& entry : std::filesystem::directory_iterator(f.box.dir()))
    kept += entry.path().filename().string().rfind("str.ini.damaged-", 0) == 0 &&
            entry.file_size() == (16u << 20) + 1;
  EXPECT_EQ(kept, 1);
}

TEST(CorvalinectlSet, MessagesNameTheRealFaultAndAnOptionIsNoFileName) {
  Folder f;
  const std::string files = f.Files();
  auto r = f.box.Run({"set", "rate", "500", "--config", "--apply"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("--config needs a file"), std::string::npos) << r.err;
  // A folder that cannot hold the lock is no busy folder.
  r = f.box.Run({"set", "rate", "500", "--config", (f.box / "gone" / "config.bin").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.find("busy"), std::string::npos) << r.err;
  WriteFileBytes(f.box / "big.ini", std::string((16u << 20) + 1, ';'));
  r = f.box.Run({"encode-macros", (f.box / "big.ini").string(), f.config.string()});
  EXPECT_EQ(r.status, 1);  // never "encoded 0 macros"
  EXPECT_NE(r.err.find("larger than"), std::string::npos) << r.err;
  EXPECT_TRUE(f.Files() == files);
  std::filesystem::remove(f.config);
  std::filesystem::create_directory(f.config);
  r = f.Set({"rate", "500"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << r.err;
}

TEST(CorvalinectlSet, KeySpellingsLevelsAndTimesMeanTheSameEverywhere) {
  Folder f;
  const std::vector<std::pair<std::vector<std::string>, std::uint32_t>> cases = {
      {{"key", "Left Win"}, 0x00E30000},
      {{"key", "L-CTRL"}, 0x00E00000},
      {{"combo", "Left Win+Left Ctrl"}, 0x00E00800},
      {{"combo", "R-SHIFT+L-WIN"}, 0xE3E50000},
      {{"fire", "Left Shift", "--speed", "5", "--times", "1"}, 0x0105E10A},
      {{"fire", "Right Ctrl", "--speed", "5", "--times", "1"}, 0x0105E40A},
  };
  for (const auto& [words, word] : cases) {
    std::vector<std::string> args = {"button", "3"};
    args.insert(args.end(), words.begin(), words.end());
    const auto r = f.Set(args);
    ASSERT_EQ(r.status, 0) << words[1] << r.err;
    EXPECT_EQ(EncodeButtonAction(f.Block(), KeyGroup::ModeA, 2), word) << words[1];
    EXPECT_NE(r.out.find("; the mouse changes with --apply or 'corvalinectl apply')\n"),
              std::string::npos);
  }
  EXPECT_EQ(f.Set({"button", "3", "fire", "Left Windows"}).status, 2);  // not in the fire list
  ASSERT_EQ(f.Set({"dpi", "2", "--level", "2"}).status, 0);
  ASSERT_EQ(f.Set({"pointer", "--double-click", "480"}).status, 0);
  const std::string shown = f.box.Run({"show", f.config.string()}).out;
  EXPECT_NE(shown.find("stage 2: on, level 2 ("), std::string::npos) << shown;
  EXPECT_NE(shown.find("double-click 480 ms"), std::string::npos) << shown;
  const std::string json = f.box.Run({"show", "--json", f.config.string()}).out;
  EXPECT_NE(json.find("\"doubleClickMs\": 480"), std::string::npos) << json;
}

TEST(CorvalinectlSet, TheWindowsOwnNamesInEachLanguageMeanTheSameAsTheWords) {
  Folder f;
  const std::vector<std::pair<std::vector<std::string>, std::uint32_t>> cases = {
      {{"Mid Click"}, 0x00F20001},
      {{"mid", "click"}, 0x00F20001},
      {{"中键"}, 0x00F20001},
      {{"RGB On/Off"}, 0x00030008},
      {{"DPI", "Loop"}, 0x00030007},
      {{"Shift DPI"}, 0x01040007},
      {{"Single Key", "Page Up"}, 0x004B0000},
      {{"單鍵", "F5"}, 0x003E0000},
      {{"Multimedia", "音量+"}, 0x00E90003},
      {{"Windows", "計算器"}, 0x01920003},
      {{"火力键", "A", "--speed", "5", "--times", "1"}, 0x0105040A},
      {{"Macro Key", "paste"}, 0x00020009},
      {{"按鍵關閉"}, 0x00000000},
      {{"Key Off"}, 0x00000000},
  };
  for (const auto& [words, word] : cases) {
    std::vector<std::string> args = {"button", "3"};
    args.insert(args.end(), words.begin(), words.end());
    const auto r = f.Set(args);
    ASSERT_EQ(r.status, 0) << words[0] << r.err;
    EXPECT_EQ(EncodeButtonAction(f.Block(), KeyGroup::ModeA, 2), word) << words[0];
  }
  ASSERT_EQ(f.Set({"lighting", "呼吸模式", "--option", "RGB閃爍"}).status, 0);
  EXPECT_EQ(f.Block().ledEffect, 2);
  // show's lighting line reads back, whatever the language.
  {
    const auto shown = f.box.Run({"show", f.config.string(), "--lang", "CHT"});
    ASSERT_EQ(shown.status, 0) << shown.err;
    const auto at = shown.out.find("Lighting: ");
    ASSERT_NE(at, std::string::npos) << shown.out;
    std::string line = shown.out.substr(at + 10, shown.out.find('\n', at) - at - 10);
    for (const std::string from : {", parameter ", ", option "}) {
      const auto p = line.find(from);
      ASSERT_NE(p, std::string::npos) << line;
      line.replace(p, from.size(), " --" + from.substr(2));
    }
    auto words = SplitShellWords(line);
    ASSERT_TRUE(words) << line;
    words->insert(words->begin(), "lighting");
    const SettingsBlock before = f.Block();
    ASSERT_EQ(f.Set(*words).status, 0) << line;
    const SettingsBlock after = f.Block();
    EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0) << line;
  }
}

TEST(CorvalinectlSet, DpiLevelsFollowTheMouseAndApplySendsTheResult) {
  Folder f;
  // Levels 1..8 exist with every sensor type: no mouse needed to set them.
  ASSERT_EQ(f.Set({"dpi", "2", "--level", "5"}).status, 0);
  EXPECT_EQ(f.Block().dpiStageIndex[1], 4);
  EXPECT_NE(f.Set({"dpi", "2", "--level", "9"}).err.find("--sensor-type"), std::string::npos);
  // The virtual mouse of sensor type 1 has eight levels; set asks it.
  auto r = f.box.Run({"--simulate", "--sensor-type", "1", "set", "dpi", "1", "--level", "9",
                      "--config", f.config.string()});
  EXPECT_EQ(r.status, 2) << r.err;
  r = f.box.Run({"--simulate", "--sensor-type", "1", "set", "dpi", "1", "--level", "8", "--apply",
                 "--config", f.config.string()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("applied"), std::string::npos);
  EXPECT_EQ(f.Block().dpiStageIndex[0], 7);
  EXPECT_EQ(ReadFileBytes(f.config)[0], 1);  // saved by the Apply
}

}  // namespace
}  // namespace corvaline
