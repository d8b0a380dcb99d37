// The rules of automatic profiles, edited as a user edits them.
#include <gtest/gtest.h>

#include "core/profiles/auto_rules.h"
#include "process_runner.h"

namespace corvaline {
namespace {

using testing_support::ReadFileBytes;
using testing_support::ToolSandbox;
using testing_support::WriteFileBytes;

struct AutoFolder {
  ToolSandbox box;
  std::filesystem::path dir = box / "data";
  AutoFolder() {
    std::filesystem::create_directories(dir);
    std::filesystem::copy_file(
        std::filesystem::path(CORVALINE_SOURCE_DIR) / "assets" / "config.bin", dir / "config.bin");
  }
  testing_support::ProcessResult Run(std::vector<std::string> args) const {
    args.insert(args.begin(), "auto");
    args.push_back("--config");
    args.push_back((dir / "config.bin").string());
    return box.Run(args);
  }
};

TEST(CorvalinectlAuto, ASpecialFileInPlaceOfTheRulesIsNamedAsSuch) {
  AutoFolder f;
  if (!testing_support::MakeFifo(f.dir / "auto-profiles.txt")) GTEST_SKIP() << "no FIFOs here";
  const auto r = f.Run({"list"});
  EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("directory"), std::string::npos) << r.err;
}

TEST(CorvalinectlAuto, EditsTheRulesAndListsThemWithTheDailyCount) {
  AutoFolder f;
  ASSERT_EQ(
      f.box.Run({"profile", "save", "fast", "--config", (f.dir / "config.bin").string()}).status,
      0);
  EXPECT_EQ(f.Run({"add", "Steam", "nothere"}).status, 4);  // the profile must exist
  EXPECT_EQ(f.Run({"add", "Steam", "fast"}).out.rfind("rule: Steam -> fast (saved in ", 0), 0u);
  EXPECT_EQ(f.Run({"add", "xterm", "fast"}).status, 0);
  EXPECT_EQ(f.Run({"default", "fast"}).status, 0);
  EXPECT_EQ(f.Run({"delay", "250"}).out.rfind("delay: 250 ms (saved in ", 0), 0u);
  EXPECT_EQ(f.Run({"delay", "12x"}).status, 2);
  EXPECT_EQ(f.Run({"off"}).status, 0);
  EXPECT_EQ(f.Run({"remove", "XTERM"}).status, 0);
  EXPECT_EQ(f.Run({"remove", "xterm"}).status, 4);
  EXPECT_EQ(f.Run({"jump"}).status, 2);
  ASSERT_EQ(CountAutoApply(f.dir, TodayText()).Reason(), "");
  const auto list = f.Run({"list"});
  ASSERT_EQ(list.status, 0) << list.err;
  EXPECT_EQ(list.out,
            "switch: off\ndelay: 250 ms\ndefault: fast\nrule: Steam -> fast\n"
            "automatic applies today (" +
                TodayText() + "): 1\n");
  // A profile the rules send is deleted only with --force, after they are named.
  const std::vector<std::string> del = {"profile", "delete", "fast", "--config",
                                        (f.dir / "config.bin").string()};
  const auto refused = f.box.Run(del);
  EXPECT_EQ(refused.status, 3);
  EXPECT_NE(refused.err.find("rule: Steam -> fast\n  default: fast"), std::string::npos)
      << refused.err;
  EXPECT_EQ(f.Run({"default", "none"}).out.rfind("default: none (saved in ", 0), 0u);
  EXPECT_EQ(ReadAutoRules(f.dir).rules.defaultProfile, "");
  std::vector<std::string> forced = del;
  forced.push_back("--force");
  EXPECT_EQ(f.box.Run(forced).status, 0);
}

TEST(CorvalinectlAuto, ABadRulesFileIsListedButNeverRewritten) {
  AutoFolder f;
  const std::string bad = "rule\tgame\n";
  WriteFileBytes(f.dir / kAutoRulesFile, bad);
  const auto list = f.Run({"list"});
  EXPECT_EQ(list.status, 0);
  EXPECT_NE(list.err.find("line 1"), std::string::npos) << list.err;
  const auto on = f.Run({"on"});
  EXPECT_EQ(on.status, 1);
  EXPECT_NE(on.err.find("line 1"), std::string::npos) << on.err;
  EXPECT_EQ(ReadFileBytes(f.dir / kAutoRulesFile), bad);
}

}  // namespace
}  // namespace corvaline
