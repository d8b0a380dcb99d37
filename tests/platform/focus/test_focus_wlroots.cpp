// The wlroots focus watcher on headless sway with two Wayland clients
// (foot) carrying different app_ids.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "desktop_session.h"
#include "eventually.h"
#include "platform/focus_watch.h"

namespace corvaline {
namespace {

using namespace std::chrono_literals;
using testing_support::Child;
using testing_support::Eventually;

TEST(WlrootsFocus, TheWatcherNamesTheActivatedToplevelsAppId) {
  for (const char* p : {"sway", "swaymsg", "foot"})
    if (!testing_support::ProgramInstalled(p)) GTEST_SKIP() << p << " is not installed";
  const std::string runtime =
      (std::filesystem::temp_directory_path() / ("corvaline-sway-" + std::to_string(getpid())))
          .string();
  testing_support::SwayDesktop sway;
  std::string why;
  if (!sway.Start(runtime, &why)) GTEST_SKIP() << why;  // e.g. no unprivileged user to run it
  std::vector<std::string> reports;
  auto watcher = platform::CreateWlrootsFocusWatcher(
      [&](const std::vector<std::string>& names) { reports.push_back(names.at(0)); }, &why);
  ASSERT_TRUE(watcher) << why;
  auto seen = [&](const std::string& app) {
    return Eventually(
        "the watcher to report " + app, 8s,
        [&] {
          watcher->Dispatch();
          return !reports.empty() && reports.back() == app;
        },
        [&] { return reports.empty() ? std::string("no report") : reports.back(); });
  };
  Child a({"foot", "--app-id=corvaline-test-a"});
  ASSERT_TRUE(seen("corvaline-test-a"));
  Child b({"foot", "--app-id=corvaline-test-b"});
  ASSERT_TRUE(seen("corvaline-test-b"));
  ASSERT_EQ(sway.Command("[app_id=corvaline-test-a] focus"), 0);
  ASSERT_TRUE(seen("corvaline-test-a"));
  // Each change once, though sway sends other state (title, outputs) too.
  EXPECT_EQ(reports,
            (std::vector<std::string>{"corvaline-test-a", "corvaline-test-b", "corvaline-test-a"}));
  a.Stop();
  b.Stop();
  watcher.reset();
  std::filesystem::remove_all(runtime);
}

}  // namespace
}  // namespace corvaline
