#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "process_runner.h"

namespace corvaline {
namespace {

using testing_support::ReadFileBytes;
using testing_support::ToolSandbox;

// Polls until the file holds `needle` `count` times, or a generous limit passes.
bool WaitFor(const std::filesystem::path& file, const std::string& needle, int count = 1) {
  for (int i = 0; i < 200; ++i) {
    const std::string text = ReadFileBytes(file);
    int found = 0;
    for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) ++found;
    if (found >= count) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

// The real corvaline-sim process, found the way the program finds it: a
// socket in the runtime folder. watch follows its events, its unplugging and
// a new one being plugged in.
TEST(CorvalinectlWatch, FollowsEventsAndSurvivesUnplugging) {
  ToolSandbox box;
  const std::string env = "XDG_RUNTIME_DIR=" + (box / "runtime").string() +
                          " XDG_CONFIG_HOME=" + (box / "config").string();
  const std::string sim = env + " " + CORVALINE_SIM_PATH;
  auto start = [&](const std::string& command, const std::string& name) {
    const std::string line = "sh -c '" + command + " >" + (box / (name + ".out")).string() +
                             " 2>&1 & echo $! >" + (box / (name + ".pid")).string() + "'";
    ASSERT_EQ(std::system(line.c_str()), 0);
  };
  auto signal = [&](const std::string& name, const char* sig) {
    const std::string line = "kill -" + std::string(sig) + " $(cat " + (box / (name + ".pid")).string() + ")";
    EXPECT_EQ(std::system(line.c_str()), 0);
  };
  auto press = [&](const std::string& what) {
    EXPECT_EQ(std::system((sim + " press " + what + " >/dev/null 2>&1").c_str()), 0) << what;
  };

  start(sim + " --sensor-type 3", "sim1");
  ASSERT_TRUE(WaitFor(box / "sim1.out", "plugged in"));
  start(env + " " + CORVALINECTL_PATH + " --lang EN watch --json", "watch");
  const auto watch = box / "watch.out";
  ASSERT_TRUE(WaitFor(watch, "detect the gaming mouse.")) << ReadFileBytes(watch);
  press("rate 500");
  press("macro 12");
  ASSERT_TRUE(WaitFor(watch, "Switch to macro key12")) << ReadFileBytes(watch);
  EXPECT_NE(ReadFileBytes(watch).find("{\"event\":\"report-rate\",\"time\":\"20"),
            std::string::npos);
  EXPECT_NE(ReadFileBytes(watch).find("\"value\":2,\"hz\":500,"), std::string::npos);

  signal("sim1", "TERM");
  ASSERT_TRUE(WaitFor(watch, "did not detect the gaming mouse!")) << ReadFileBytes(watch);
  start(sim, "sim2");
  ASSERT_TRUE(WaitFor(watch, "detect the gaming mouse.", 2)) << ReadFileBytes(watch);
  press("mode 2");
  ASSERT_TRUE(WaitFor(watch, "Switch to key matrix 2")) << ReadFileBytes(watch);
  // One line per event, and one event per plug or unplug whatever the
  // number of the mouse's collections.
  const std::string lines = ReadFileBytes(watch);
  auto count = [&lines](const std::string& needle) {
    int n = 0;
    for (auto at = lines.find(needle); at != std::string::npos; at = lines.find(needle, at + 1))
      ++n;
    return n;
  };
  EXPECT_EQ(count("\"event\":\"arrived\""), 2) << lines;
  EXPECT_EQ(count("\"event\":\"removed\""), 1) << lines;
  EXPECT_EQ(count("\n"), count("{\"event\"")) << lines;

  signal("watch", "INT");
  signal("sim2", "TERM");
  // watch ends by itself on the interrupt.
  const std::string alive = "kill -0 $(cat " + (box / "watch.pid").string() + ") 2>/dev/null";
  bool ended = false;
  for (int i = 0; i < 100 && !ended; ++i) {
    ended = std::system(alive.c_str()) != 0;
    if (!ended) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_TRUE(ended) << ReadFileBytes(watch);
  if (!ended) signal("watch", "KILL");
}

}  // namespace
}  // namespace corvaline
