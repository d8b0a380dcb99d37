// export, import and named profiles, run as a user runs them.
#include <gtest/gtest.h>

#include <fstream>

#include "core/settings/config_file.h"
#include "core/settings/ini_file.h"
#include "core/settings/utf8_paths.h"
#include "json_check.h"
#include "process_runner.h"

namespace corvaline {
namespace {

using testing_support::ProcessResult;
using testing_support::ReadFileBytes;
using testing_support::ToolSandbox;
using testing_support::WriteFileBytes;
using testing_support::MakeFifo;

using testing_support::kSource;

// A data folder with the delivered files, optionally edited through set.
struct DataFolder {
  const ToolSandbox& box;
  std::filesystem::path dir;
  DataFolder(const ToolSandbox& b, const std::string& name) : box(b), dir(b / name) {
    std::filesystem::create_directories(dir);
    std::filesystem::copy_file(kSource / "assets" / "config.bin", dir / "config.bin");
    std::filesystem::copy_file(kSource / "assets" / "str.ini", dir / "str.ini");
  }
  std::string Config() const { return (dir / "config.bin").string(); }
  ProcessResult Run(std::vector<std::string> args) const {
    args.push_back("--config");
    args.push_back(Config());
    return box.Run(args);
  }
  std::string Files() const {
    return ReadFileBytes(dir / "config.bin") + '|' + ReadFileBytes(dir / "str.ini") + '|' +
           ReadFileBytes(dir / "record.ini");
  }
  void Edit() const {
    WriteFileBytes(
        dir / "record.ini",
        "[copy it]\r\nItemCount=3\r\nItem0=Ctrl   Dn\r\nItem1=2000 ms\r\nItem2=Ctrl   Up\r\n"
        "[two]\r\nItemCount=1\r\nItem0=B   Up\r\n");
    ASSERT_EQ(box.Run({"encode-macros", (dir / "record.ini").string(), Config()}).status, 0);
    for (const std::vector<std::string>& a :
         {std::vector<std::string>{"set", "button", "3", "fire", "A", "--speed", "9", "--times",
                                   "2"},
          {"set", "button", "3", "left-click"},  // the fire columns stay behind, unused
          {"set", "button", "4", "macro", "copy it", "--repeat", "until-key"},
          {"set", "button", "5", "combo", "Left Shift+F1+F2"},
          {"set", "button", "9", "shift"},
          {"set", "button", "2", "--mode", "B", "windows", "Browser-My Favorites"},
          {"set", "dpi", "3", "--off", "--level", "1", "--sensor-type", "0"},
          {"set", "lighting", "standard", "--parameter", "45%"},
          {"set", "pointer", "--wheel", "page"}})
      ASSERT_EQ(Run(a).status, 0) << a[1];
  }
};

TEST(CorvalinectlProfiles, ExportThenImportGivesTheSameFiles) {
  ToolSandbox box;
  for (bool edited : {false, true}) {
    const DataFolder from(box, edited ? "edited" : "delivered");
    if (edited) from.Edit();
    const DataFolder to(box, edited ? "edited-copy" : "delivered-copy");
    const auto exported = from.Run({"export", (box / "p.json").string()});
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_NE(exported.out.find(" to " + (box / "p.json").string() + "\n"), std::string::npos);
    const auto r = to.Run({"import", (box / "p.json").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFileBytes(to.dir / "config.bin"), ReadFileBytes(from.dir / "config.bin"))
        << edited;
    // Captions and macros say the same (the copy's record.ini is written anew).
    const auto show = [&](const DataFolder& d) { return d.box.Run({"show", d.Config()}).out; };
    const std::string shown = show(from);
    EXPECT_EQ(shown.substr(shown.find('\n')), show(to).substr(show(to).find('\n')));
    EXPECT_EQ(from.Run({"export", "-"}).out, to.Run({"export", "-"}).out);
    // show --json is the same document, and an independent parser reads it.
    const auto json = box.Run({"show", "--json", from.Config()});
    EXPECT_EQ(json.out, from.Run({"export", "-"}).out);
    if (const auto format = testing_support::FormatByIndependentParser(json.out)) {
      EXPECT_EQ(*format, "corvaline-profile");
    }
  }
}

TEST(CorvalinectlProfiles, ABadProfileIsRefusedWithItsFieldAndTouchesNothing) {
  ToolSandbox box;
  const DataFolder d(box, "data");
  d.Edit();
  const std::string good = d.Run({"export", "-"}).out;
  const std::string before = d.Files();
  auto replaced = [&](const std::string& from, const std::string& to) {
    std::string t = good;
    const auto at = t.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return t.replace(at, from.size(), to);
  };
  const std::vector<std::pair<std::string, std::string>> cases = {
      {good.substr(0, good.size() / 2), "line"},
      {replaced("\"version\": 1", "\"version\": 2"), "version"},
      {replaced("corvaline-profile", "something-else"), "format"},
      {replaced("\"level\": 1,", "\"level\": 0,"), "dpiStages[2].level"},
      {replaced("\"reportRate\": 1000", "\"reportRate\": 999"), "reportRate"},
      {replaced("Left Shift+F1+F2", "Left Shift+F1+F99"), "keyGroups.A.buttons[4].function"},
      {replaced("\"45%\"", "\"46%\""), "lighting.standardBrightness"},
      {replaced("\"name\": \"two\"", "\"name\": \"copy it\""), "macros[1].name"},
      {replaced("\"B   Up\"", "\"B up\""), "macros[1].events[0]"},
      {replaced("\"colour\": \"#", "\"colour\": \"#X"), "colour"},
      // Past what str.ini can be read back with.
      {replaced("\"caption\": \"", "\"caption\": \"" + std::string(1024, 'x')),
       "keyGroups.A.buttons[0].caption"},
  };
  for (const auto& [text, field] : cases) {
    WriteFileBytes(box / "bad.json", text);
    const auto r = d.Run({"import", (box / "bad.json").string()});
    EXPECT_EQ(r.status, 1) << field;
    EXPECT_NE(r.err.find(field), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_TRUE(d.Files() == before) << field;
  }
}

// config.bin files written elsewhere may hold tables the menus would never
// make; export and import carry them over exactly and say which rule they break.
TEST(CorvalinectlProfiles, TablesOutsideTheEditingRulesRoundTripWithOneWarning) {
  ToolSandbox box;
  constexpr std::size_t kModeB = 1 + 192, kCombo1 = 12 * 12, kFireKey = 6 * 12;
  struct Case {
    std::vector<std::pair<std::size_t, char>> bytes;  // config.bin offset, value
    std::string rule;                                 // empty: within the rules
  };
  const std::vector<Case> cases = {
      {{{1 + 0, 1}}, "each key group keeps at least one Left Click"},
      {{{kModeB + 3, 14}}, "Shift is the same button in both key groups"},
      {{{1 + 3, 14}, {kModeB + 3, 14}, {1 + 4, 14}, {kModeB + 4, 14}}, "only one button"},
      {{{1 + 10, 12}, {1 + kCombo1 + 10, 0x1D}, {kModeB + 11, 10}, {kModeB + kFireKey + 11, 5}},
       ""},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const DataFolder from(box, "from" + std::to_string(i)), to(box, "to" + std::to_string(i));
    std::string config = ReadFileBytes(from.dir / "config.bin");
    for (auto [offset, value] : cases[i].bytes) config[offset] = value;
    WriteFileBytes(from.dir / "config.bin", config);
    const std::string json = (box / ("p" + std::to_string(i) + ".json")).string();
    ASSERT_EQ(from.Run({"export", json}).status, 0);
    const auto r = to.Run({"import", json});
    ASSERT_EQ(r.status, 0) << i << r.err;
    EXPECT_EQ(ReadFileBytes(to.dir / "config.bin"), config) << i;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), cases[i].rule.empty() ? 0 : 1) << r.err;
    EXPECT_NE(r.err.find(cases[i].rule), std::string::npos) << r.err;
  }
}

TEST(CorvalinectlProfiles, NamedProfilesAndPrevious) {
  ToolSandbox box;
  const DataFolder d(box, "data");
  const std::string delivered = ReadFileBytes(d.dir / "config.bin");
  ASSERT_EQ(d.Run({"profile", "save", "office"}).status, 0);
  d.Edit();
  const std::string edited = ReadFileBytes(d.dir / "config.bin");
  ASSERT_EQ(d.Run({"profile", "save", "game"}).status, 0);
  EXPECT_EQ(d.Run({"profile", "list"}).out, "game\noffice\n");

  ASSERT_EQ(d.Run({"profile", "load", "office"}).status, 0);
  EXPECT_EQ(ReadFileBytes(d.dir / "config.bin"), delivered);
  EXPECT_EQ(d.Run({"profile", "list"}).out, "(previous)\ngame\noffice\n");
  // Loading "(previous)" swaps back: nothing is ever lost.
  ASSERT_EQ(d.Run({"profile", "load", "(previous)"}).status, 0);
  EXPECT_EQ(ReadFileBytes(d.dir / "config.bin"), edited);
  ASSERT_EQ(d.Run({"profile", "load", "(previous)"}).status, 0);
  EXPECT_EQ(ReadFileBytes(d.dir / "config.bin"), delivered);

  EXPECT_EQ(d.Run({"profile", "load", "nothing"}).status, 4);
  // A saved profile is replaced only on purpose.
  EXPECT_EQ(d.Run({"profile", "save", "game"}).status, 3);
  EXPECT_EQ(d.Run({"profile", "save", "game", "--force"}).out.rfind("replaced profile game", 0),
            0u);
  EXPECT_EQ(d.Run({"profile", "save", "../escape"}).status, 2);
  EXPECT_EQ(d.Run({"profile", "save", "(previous)"}).status, 2);  // the next load would lose it
  // Names the Windows build could not keep in the same folder.
  // Bytes that are no UTF-8 cannot even be a path where paths are UTF-16
  // (Windows), nor reach a program there.
  auto pathTakes = [](const char* name) {
    try {
      return !PathFromUtf8(name).empty();
    } catch (const std::exception&) {
      return false;
    }
  };
  for (const char* name : {" ", "con", "NUL.txt", "com1", "lpt9.json", "a?b", "end.", "\xFF\xFE"})
    if (pathTakes(name)) {
      EXPECT_EQ(d.Run({"profile", "save", name}).status, 2) << name;
    }
  ASSERT_EQ(d.Run({"profile", "delete", "game"}).status, 0);
  EXPECT_EQ(d.Run({"profile", "delete", "game"}).status, 4);
  EXPECT_EQ(d.Run({"profile", "list"}).out, "(previous)\noffice\n");
}

TEST(CorvalinectlProfiles, VersionLanguageAndAutostart) {
  ToolSandbox box;
  const DataFolder d(box, "data");
  const auto lang = d.Run({"language", "CHT"});
  ASSERT_EQ(lang.status, 0) << lang.err;
  EXPECT_NE(lang.out.find("next start"), std::string::npos);
  EXPECT_EQ(IniReadString(d.dir / "str.ini", "Skins", "Lan"), "CHT");
  EXPECT_EQ(d.Run({"language"}).out, "CHT\n");
  EXPECT_EQ(d.Run({"language", "FR"}).status, 2);
  EXPECT_EQ(box.Run({"--version"}).out.rfind("corvalinectl ", 0), 0u);
  // The entry itself is the platform services' test; here the command's words.
  const auto on = box.Run({"autostart", "on"});
  ASSERT_EQ(on.status, 0) << on.err;
  EXPECT_EQ(on.out.rfind("autostart on (", 0), 0u) << on.out;
  EXPECT_EQ(box.Run({"autostart", "off"}).out.rfind("autostart off (", 0), 0u);
  EXPECT_EQ(box.Run({"autostart", "maybe"}).status, 2);
}

}  // namespace
}  // namespace corvaline

namespace corvaline {
namespace {

// Endless or huge input is refused at once, and nothing blocks on a FIFO.
TEST(CorvalinectlProfiles, OversizedOrEndlessInputIsRefusedAtOnce) {
  ToolSandbox box;
  const DataFolder d(box, "data");
  std::filesystem::create_directories(d.dir / "profiles");
  if (!MakeFifo(d.dir / "profiles" / "pipe.json")) GTEST_SKIP() << "no FIFOs or /dev/zero here";
  const std::string before = d.Files();
  const auto zero = d.Run({"import", "/dev/zero"});
  EXPECT_EQ(zero.status, 1);
  EXPECT_NE(zero.err.find("not a regular file"), std::string::npos) << zero.err;

  const auto fifo = d.Run({"profile", "load", "pipe"});
  EXPECT_EQ(fifo.status, 1);
  EXPECT_NE(fifo.err.find("not a regular file"), std::string::npos) << fifo.err;

  { std::ofstream(d.dir / "huge.json"); }
  std::filesystem::resize_file(d.dir / "huge.json", 3ull << 30);  // sparse: no disk taken
  const auto huge = d.Run({"import", (d.dir / "huge.json").string()});
  EXPECT_EQ(huge.status, 1);
  EXPECT_NE(huge.err.find("larger than 16777216 bytes"), std::string::npos) << huge.err;
  EXPECT_EQ(d.Files(), before);

  std::filesystem::resize_file(d.dir / "config.bin", 3ull << 30);
  const auto show = box.Run({"show", d.Config()});
  EXPECT_EQ(show.status, 1);
  EXPECT_NE(show.err.find("larger than 1986 bytes"), std::string::npos) << show.err;
}

}  // namespace
}  // namespace corvaline
