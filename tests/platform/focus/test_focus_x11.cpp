// The X11 focus watcher on a real EWMH window manager (openbox on Xvfb), and
// the whole program following the rules as X clients take the focus in
// turn: config.bin and the virtual mouse change with them.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <thread>

#include "core/profiles/auto_rules.h"
#include "core/settings/config_file.h"
#include "desktop_session.h"
#include "eventually.h"
#include "platform/focus_watch.h"
#include "sim/sim_server.h"

namespace corvaline {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing_support::Child;
using testing_support::Eventually;
using testing_support::RunToEnd;

std::string Joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& n : names) text += (text.empty() ? "" : "/") + n;
  return text.empty() ? "(nothing)" : text;
}

// Waits for the client's window and gives it the focus as a click would.
// Only a window the window manager has mapped (managed) can be activated, so
// the search is for visible windows only.
int Activate(const char* windowClass) {
  // A search can fail on a window that vanishes while it looks (BadWindow).
  int status = -1;
  for (int attempt = 0; attempt < 3 && status != 0; ++attempt)
    status = RunToEnd({"timeout", "8", "xdotool", "search", "--sync", "--onlyvisible", "--class",
                       windowClass, "windowactivate", "--sync"});
  return status;
}

class X11FocusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* p : {"Xvfb", "openbox", "xlogo", "xcalc", "xdotool", "trayer"})
      if (!testing_support::ProgramInstalled(p)) GTEST_SKIP() << p << " is not installed";
    std::string why;
    ASSERT_TRUE(desktop.Start(&why)) << why;
  }
  testing_support::XDesktop desktop;
};

TEST_F(X11FocusTest, TheWatcherNamesEachActiveWindowOnce) {
  std::vector<std::vector<std::string>> reports;
  std::string problem;
  auto watcher = platform::CreateX11FocusWatcher(
      [&](const std::vector<std::string>& names) { reports.push_back(names); }, &problem);
  ASSERT_TRUE(watcher) << problem;
  auto seen = [&](const std::string& instance) {
    return Eventually(
        "the watcher to report " + instance, 8s,
        [&] {
          watcher->Dispatch();
          return !reports.empty() && reports.back().front() == instance;
        },
        [&] { return reports.empty() ? std::string("no report") : Joined(reports.back()); });
  };
  Child logo({"xlogo"});
  ASSERT_EQ(Activate("xlogo"), 0);
  ASSERT_TRUE(seen("xlogo"));
  EXPECT_EQ(reports.back(), (std::vector<std::string>{"xlogo", "XLogo"}));
  Child calc({"xcalc"});
  ASSERT_EQ(Activate("xcalc"), 0);
  ASSERT_TRUE(seen("xcalc"));
  const std::size_t count = reports.size();
  ASSERT_EQ(Activate("xlogo"), 0);
  ASSERT_TRUE(seen("xlogo"));
  EXPECT_EQ(reports.size(), count + 1);
}

TEST_F(X11FocusTest, TheProgramGivesTheMouseEachClientsProfile) {
  const fs::path home = fs::temp_directory_path() / ("corvaline-focus-" + std::to_string(getpid()));
  fs::remove_all(home);
  fs::create_directories(home / "run");
  fs::permissions(home / "run", fs::perms::owner_all);
  setenv("HOME", home.c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (home / "run").c_str(), 1);
  unsetenv("WAYLAND_DISPLAY");
  unsetenv("DBUS_SESSION_BUS_ADDRESS");

  auto mouse = std::make_shared<sim::VirtualMouse>();
  sim::SimServer server(mouse);
  std::string error;
  ASSERT_TRUE(server.Start(sim::DefaultSocketPath(), &error)) << error;
  std::thread serving([&server] { server.Run(); });
  struct Join {
    sim::SimServer& server;
    std::thread& thread;
    ~Join() {
      server.RequestStop();
      thread.join();
    }
  } join{server, serving};

  const std::string ctl = CORVALINECTL_PATH;
  for (const std::vector<std::string>& a : {std::vector<std::string>{ctl, "set", "rate", "125"},
                                            {ctl, "profile", "save", "slow"},
                                            {ctl, "set", "rate", "1000"},
                                            {ctl, "profile", "save", "fast"},
                                            {ctl, "auto", "add", "XLogo", "slow"},
                                            {ctl, "auto", "add", "xcalc", "fast"},
                                            {ctl, "auto", "delay", "200"}})
    ASSERT_EQ(RunToEnd(a), 0) << a[1] << ' ' << a[2];
  const fs::path data = home / "config" / "corvaline";
  auto configRate = [&] {
    SettingsStore s;
    return LoadSettings(s, data / "config.bin") ? s.settings.reportRateCode : 0;
  };
  ASSERT_TRUE(desktop.StartTray(&error)) << error;
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  Child program({CORVALINE_PROGRAM});
  // The watcher names the window active when it starts, so a program still
  // starting up when xlogo takes the focus follows it all the same.
  ASSERT_TRUE(Eventually(
      "the program to read the mouse", 20s,
      [&] { return mouse->State().reportRateCode != 0 || !program.Running(); },
      [&] { return "program " + program.State(); }));
  ASSERT_TRUE(program.Running()) << program.State();
  auto follows = [&](int code) {
    return Eventually(
        "rate code " + std::to_string(code) + " on the mouse and in config.bin", 8s,
        [&] { return mouse->State().reportRateCode == code && configRate() == code; },
        [&] {
          return "mouse " + std::to_string(mouse->State().reportRateCode) + ", config.bin " +
                 std::to_string(configRate()) + ", program " + program.State();
        });
  };
  {
    Child logo({"xlogo"});
    ASSERT_EQ(Activate("xlogo"), 0);
    EXPECT_TRUE(follows(8)) << "xlogo: 125 Hz";
    Child calc({"xcalc"});
    ASSERT_EQ(Activate("xcalc"), 0);
    EXPECT_TRUE(follows(1)) << "xcalc: 1000 Hz";
    ASSERT_EQ(Activate("xlogo"), 0);
    EXPECT_TRUE(follows(8)) << "xlogo again";
  }
  // Counted just after the Apply has saved config.bin.
  int counted = 0;
  EXPECT_TRUE(Eventually(
      "three automatic Applies counted", 5s,
      [&] {
        const auto days = ReadAutoApplyCounts(data);
        counted = days.empty() ? 0 : days.back().count;
        return counted == 3;
      },
      [&] { return std::to_string(counted); }));
  program.Stop();
  fs::remove_all(home);
}

}  // namespace
}  // namespace corvaline
