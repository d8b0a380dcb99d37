#include <gtest/gtest.h>

#include "core/device/no_mouse_help.h"
#include "core/profiles/function_words.h"
#include "core/settings/config_file.h"
#include "process_runner.h"

namespace corvaline {
namespace {

using testing_support::ReadFileBytes;
using testing_support::ToolSandbox;
using testing_support::WriteFileBytes;

using testing_support::kSource;
const std::filesystem::path kData = CORVALINE_TEST_DATA_DIR;

TEST(Corvalinectl, ApplyOnTheDeliveredConfigSendsTheKnownSequenceAndSaves) {
  ToolSandbox box;
  std::filesystem::copy_file(kSource / "assets" / "config.bin", box / "config.bin");
  const auto r = box.Run({"--simulate", "--trace", "apply", (box / "config.bin").string()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, ReadFileBytes(kData / "corvalinectl_apply_delivered.trace"));
  const std::string saved = ReadFileBytes(box / "config.bin");
  ASSERT_EQ(saved.size(), kConfigFileSize);
  EXPECT_EQ(saved[0], 1);  // written by an Apply
  EXPECT_EQ(saved.substr(1), ReadFileBytes(kSource / "assets" / "config.bin").substr(1));
}

TEST(Corvalinectl, NoSaveLeavesTheFilesAlone) {
  ToolSandbox box;
  std::filesystem::copy_file(kSource / "assets" / "config.bin", box / "config.bin");
  std::filesystem::copy_file(kSource / "assets" / "str.ini", box / "str.ini");
  const auto r = box.Run({"--simulate", "--sensor-type", "2", "apply", (box / "config.bin").string(),
                          "--no-save"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadFileBytes(box / "config.bin"), ReadFileBytes(kSource / "assets" / "config.bin"));
  EXPECT_EQ(ReadFileBytes(box / "str.ini"), ReadFileBytes(kSource / "assets" / "str.ini"));
}

TEST(Corvalinectl, ApplySaysWhatCouldNotBeSaved) {
  ToolSandbox box;
  std::filesystem::copy_file(kSource / "assets" / "config.bin", box / "config.bin");
  std::filesystem::create_directory(box / "str.ini");  // no file can be written there
  const auto r = box.Run({"--simulate", "apply", (box / "config.bin").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("corvalinectl: The button captions could not be saved to " + (box / "str.ini").string()),
            std::string::npos)
      << r.err;
}

TEST(Corvalinectl, BadFilesAndCommandLinesGiveOneLineAndTheDocumentedStatus) {
  ToolSandbox box;
  WriteFileBytes(box / "short.bin", std::string(kConfigFileSize - 1, '\0'));
  WriteFileBytes(box / "long.bin", std::string(kConfigFileSize + 1, '\0'));
  struct Case {
    std::vector<std::string> args;
    int status;
  };
  const std::vector<Case> cases = {
      {{"show", (box / "short.bin").string()}, 1},
      {{"--simulate", "apply", (box / "long.bin").string()}, 1},
      {{"show", (box / "missing.bin").string()}, 1},
      {{"encode-macros", (box / "missing.ini").string(), (box / "short.bin").string()}, 1},
      {{"frobnicate"}, 2},
      {{"--colour", "show"}, 2},
      {{"show", "--bogus"}, 2},
      {{"encode-macros", "only-one.ini"}, 2},
      {{"--lang", "FR", "show"}, 2},
      {{"--sensor-type"}, 2},
      {{}, 2},
  };
  for (const Case& c : cases) {
    const auto r = box.Run(c.args);
    std::string joined;
    for (const auto& a : c.args) joined += a + " ";
    EXPECT_EQ(r.status, c.status) << joined << "\n" << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << joined << "\n" << r.err;
  }
  // A wrong-size file is never rewritten.
  EXPECT_EQ(ReadFileBytes(box / "short.bin").size(), kConfigFileSize - 1);
}

TEST(Corvalinectl, ListGivesOneLinePerMouseWithItsCollectionsBelow) {
  ToolSandbox box;
  const std::string out = box.Run({"list", "--simulate"}).out;  // a global option after it
  EXPECT_EQ(out.rfind("CORVALINE mouse (", 0), 0u) << out;
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 3) << out;  // the mouse, two collections
  EXPECT_EQ(out.find("\nCORVALINE"), std::string::npos) << out;
}

// Each page is filled in and names what its program takes (man's own check of
// the layout at 80 columns is the man-pages test).
TEST(Corvalinectl, TheManualPagesAreInTheBuildTreeAndNameEveryOption) {
  const auto bin = std::filesystem::path(CORVALINECTL_PATH).parent_path();
  const auto man = bin.parent_path() / "man";
  const std::vector<std::pair<std::string, std::vector<std::string>>> pages = {
      {"corvalinectl", {"[--repeat " + RepeatWordsJoined("|", "|") + "]", "--simulate", "--lang"}},
      {"corvaline", {"--simulate", "--version", "second start"}},
      {"corvaline-sim", {"-h", "--help", "--misbehave", "press"}}};
  for (const auto& [page, words] : pages) {
    if (!std::filesystem::exists(bin / page)) continue;  // a build without the program
    std::string text = ReadFileBytes(man / "man1" / (page + ".1"));
    EXPECT_NE(text.find(".SH SEE ALSO"), std::string::npos) << page;
    EXPECT_EQ(text.find('@'), std::string::npos) << page;  // every field filled in
    // As a reader sees it: troff's escaped hyphens and font changes undone.
    for (const std::string escape : {"\\-", "\\fB", "\\fI", "\\fR"}) {
      for (std::size_t at = 0; (at = text.find(escape, at)) != std::string::npos;)
        text.replace(at, escape.size(), escape == "\\-" ? "-" : "");
    }
    for (const std::string& word : words)
      EXPECT_NE(text.find(word), std::string::npos) << page << ": " << word;
  }
}

TEST(Corvalinectl, WithoutAMouseApplyFails) {
  ToolSandbox box;
  std::filesystem::copy_file(kSource / "assets" / "config.bin", box / "config.bin");
  const auto r = box.Run({"--device", "/dev/nonexistent-hidraw", "apply", (box / "config.bin").string()});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_NE(r.err.find("no CORVALINE mouse"), std::string::npos) << r.err;
  EXPECT_EQ(ReadFileBytes(box / "config.bin"), ReadFileBytes(kSource / "assets" / "config.bin"));
  // list says where to look, in the words of the system it runs on.
  const auto list = box.Run({"--device", "/dev/nonexistent-hidraw", "list"});
  EXPECT_EQ(list.status, 1);
#ifdef _WIN32
  EXPECT_NE(list.err.find(NoMouseHelp(PlatformKind::Windows)), std::string::npos) << list.err;
#else
  EXPECT_NE(list.err.find(NoMouseHelp(PlatformKind::Linux)), std::string::npos) << list.err;
#endif
}

TEST(Corvalinectl, NoMouseHelpNamesWhatEachSystemHas) {
  // Linux: the udev rule, the permissions, the virtual mouse.
  const std::string onLinux = NoMouseHelp(PlatformKind::Linux);
  for (const char* hint : {"70-corvaline.rules", "ls -l /dev/hidraw", "corvaline-sim", "--simulate"})
    EXPECT_NE(onLinux.find(hint), std::string::npos) << hint;
  // Windows has no udev, no /dev and no corvaline-sim.
  const std::string onWindows = NoMouseHelp(PlatformKind::Windows);
  for (const char* hint : {"Device Manager", "VID_04D9&PID_A09F", "--simulate"})
    EXPECT_NE(onWindows.find(hint), std::string::npos) << hint;
  for (const char* other : {"udev", "/dev/", "corvaline-sim", "sudo"})
    EXPECT_EQ(onWindows.find(other), std::string::npos) << other;
  for (const std::string& text : {onLinux, onWindows}) {  // fits a terminal
    for (std::size_t from = 0, end; (end = text.find('\n', from)) != std::string::npos; from = end + 1)
      EXPECT_LE(end - from, 80u) << text.substr(from, end - from);
  }
}

TEST(Corvalinectl, EncodeMacrosRewritesTheMacroAreaKeepingLoopCounts) {
  ToolSandbox box;
  std::string config = ReadFileBytes(kSource / "assets" / "config.bin");
  constexpr std::size_t kArea = 385;  // file offset of the first MacroBlock
  config[kArea + 0] = 0x00;
  config[kArea + 1] = 0x05;                        // macro 1 loops 5 times
  config[kArea + 128 + 1] = 0x02;                  // macro 2 loops twice
  for (int i = 2; i < 128; ++i) config[kArea + 128 + i] = 0x55;  // stale events
  WriteFileBytes(box / "config.bin", config);
  std::string ini =
      "[first]\r\nItemCount=3\r\nItem0=A   Dn\r\nItem1=1500 ms\r\nItem2=A   Up\r\n"
      "[second]\r\nItemCount=3\r\nItem0=NoSuchKey   Dn\r\nItem1=25 ms\r\nItem2=B   Up\r\n";
  for (int k = 3; k <= 13; ++k)
    ini += "[m" + std::to_string(k) + "]\r\nItemCount=3\r\nItem0=C   Dn\r\nItem1=10000 ms\r\nItem2=C   Up\r\n";
  WriteFileBytes(box / "record.ini", ini);

  const auto r = box.Run({"encode-macros", (box / "record.ini").string(), (box / "config.bin").string()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("twelfth"), std::string::npos);  // the thirteenth is left out, and said
  const std::string out = ReadFileBytes(box / "config.bin");
  ASSERT_EQ(out.size(), kConfigFileSize);
  EXPECT_EQ(out[0], config[0]);  // no Apply: the first-run byte stays
  auto block = [&](int k) { return out.substr(kArea + 128 * k, 128); };
  // A Dn with 1500 ms after it (long form), A Up last without delay.
  EXPECT_EQ(block(0), std::string("\x00\x05\x00\x04\x0f\x03\x80\x04", 8) + std::string(120, '\0'));
  // Unknown key name -> code 0; 25 ms -> two 10 ms steps; stale bytes cleared.
  EXPECT_EQ(block(1), std::string("\x00\x02\x02\x00\x80\x05", 6) + std::string(122, '\0'));
  // 10000 ms = 100 hundreds + 0 ms.
  EXPECT_EQ(block(11), std::string("\x00\x00\x00\x06\x64\x03\x80\x06", 8) + std::string(120, '\0'));
  EXPECT_EQ(out.substr(kArea + 1536), config.substr(kArea + 1536));  // the rest untouched
}

}  // namespace
}  // namespace corvaline
