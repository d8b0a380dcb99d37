// show's words: every function printed as set takes it, so a line of show
// pasted after "set button N" gives the same function back.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "core/settings/config_file.h"
#include "process_runner.h"

namespace corvaline {
namespace {

using testing_support::ReadFileBytes;
using testing_support::ToolSandbox;

TEST(CorvalinectlShow, EveryShownFunctionPastedBackIntoSetGivesTheSameBytes) {
  ToolSandbox box;
  const std::filesystem::path src = std::filesystem::path(CORVALINE_SOURCE_DIR) / "assets";
  for (const char* name : {"a", "b"}) {
    std::filesystem::create_directories(box / name);
    std::filesystem::copy_file(src / "config.bin", box / name / "config.bin");
    std::filesystem::copy_file(src / "str.ini", box / name / "str.ini");
    testing_support::WriteFileBytes(box / name / "record.ini",
                                    "[one]\r\nItemCount=1\r\nItem0=A   Dn\r\n"
                                    "[two words]\r\nItemCount=1\r\nItem0=B   Dn\r\n");
  }
  const std::string a = (box / "a" / "config.bin").string(),
                    b = (box / "b" / "config.bin").string();
  for (const std::vector<std::string>& w :
       {std::vector<std::string>{"2", "fire", "L-Tilt Wheel", "--speed", "200", "--times", "0"},
        {"3", "combo", "Right Win+'"},
        {"4", "key", "\\"},
        {"5", "windows", "my computer"},
        {"6", "media", "Play/Pause"},
        {"7", "macro", "2", "--repeat", "until-key"},
        {"8", "dpi-"}}) {
    std::vector<std::string> args = {"set", "button"};
    args.insert(args.end(), w.begin(), w.end());
    args.insert(args.end(), {"--config", a});
    ASSERT_EQ(box.Run(args).status, 0) << w[1];
  }
  // Paste every "button N: WORDS" line of show into a shell running set.
  // --lang changes none of the words (and may follow the command).
  const std::string words = box.Run({"show", a}).out;
  EXPECT_EQ(box.Run({"show", a, "--lang", "CHS"}).out, words);
  std::istringstream shown(words);
  std::string line, script;
  for (int group = -1; std::getline(shown, line);) {
    if (line.rfind("Key group", 0) == 0) ++group;
    const auto at = line.find("  button ");
    if (at != 0 || group != 0) continue;
    const auto colon = line.find(": ");
    script += std::string(CORVALINECTL_PATH) + " set button " + line.substr(9, colon - 9) + " " +
              line.substr(colon + 2) + " --config '" + b + "' >/dev/null || exit 1\n";
  }
  testing_support::WriteFileBytes(box / "paste.sh", script);
  ASSERT_EQ(
      std::system(("env HOME='" + box.dir().string() + "' sh '" + (box / "paste.sh").string() + "'")
                      .c_str()),
      0)
      << script;
  EXPECT_EQ(ReadFileBytes(box / "b" / "config.bin"), ReadFileBytes(box / "a" / "config.bin"));
}

}  // namespace
}  // namespace corvaline
