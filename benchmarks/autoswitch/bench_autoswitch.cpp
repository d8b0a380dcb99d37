// Prints the time from a focus change to the mouse holding the new profile:
// the program runs on its own Xvfb with openbox and trayer, the virtual mouse
// is served from this process, and two X clients (xlogo, xcalc) with
// different profiles take the focus in turn. The clock starts when this
// process sees _NET_ACTIVE_WINDOW change (the same notice the program gets)
// and stops when the mouse has taken the Apply's last command (KeyMatrix
// table 4) with the new profile's report rate. Goal: the delay plus at most
// 1.05 x the Apply floor of 259 ms.
//
// Usage: corvaline-bench-autoswitch [SWITCHES] [DELAY_MS]   (default 6, 500)
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

#include "core/settings/config_file.h"
#include "desktop_session.h"
#include "platform/focus_watch.h"
#include "sim/sim_server.h"
#include "wait.h"

namespace {

using namespace corvaline;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;
using testing_support::Child;
using testing_support::RunToEnd;

constexpr double kApplyFloorMs = 259;

int ConfigRate(const fs::path& configBin) {
  SettingsStore s;
  return LoadSettings(s, configBin).loaded ? s.settings.reportRateCode : 0;
}

// The client's window id, once it has mapped one; empty when none came.
// A search can fail while other windows come and go (BadWindow): it is
// asked again until the deadline.
std::string WindowOf(const char* windowClass, std::string* why) {
  std::string id;
  *why = testing_support::WaitFor(std::string("a window of class ") + windowClass, 20s, [&] {
    const std::string command =
        std::string("xdotool search --onlyvisible --class ") + windowClass + " 2>/dev/null";
    FILE* p = popen(command.c_str(), "r");
    char line[64] = {};
    const bool got = p && std::fgets(line, sizeof line, p);
    if (p) pclose(p);
    if (got) id.assign(line, std::strcspn(line, "\n"));
    return !id.empty();
  });
  return id;
}

// The Apply ends with KeyMatrix table 4 (command 0x12, table 4).
bool LastCommandTaken(const sim::VirtualMouse& mouse) {
  for (const CommandBlock& b : mouse.CommandLog())
    if (b[0] == 0x12 && b[1] == 4) return true;
  return false;
}

bool Fail(const char* what) {
  std::fprintf(stderr, "corvaline-bench-autoswitch: %s\n", what);
  return false;
}

bool Prepare(const fs::path& home, int delayMs) {
  fs::create_directories(home / "run");
  fs::permissions(home / "run", fs::perms::owner_all);
  setenv("HOME", home.c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (home / "run").c_str(), 1);
  unsetenv("WAYLAND_DISPLAY");
  unsetenv("DBUS_SESSION_BUS_ADDRESS");
  unsetenv("XDG_CURRENT_DESKTOP");
  const std::string ctl = CORVALINECTL_PATH;
  for (const std::vector<std::string>& a : {std::vector<std::string>{ctl, "set", "rate", "125"},
                                            {ctl, "profile", "save", "slow"},
                                            {ctl, "set", "rate", "1000"},
                                            {ctl, "profile", "save", "fast"},
                                            {ctl, "auto", "add", "xlogo", "slow"},
                                            {ctl, "auto", "add", "xcalc", "fast"},
                                            {ctl, "auto", "delay", std::to_string(delayMs)}})
    if (RunToEnd(a) != 0) return Fail("corvalinectl could not prepare the profiles");
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int switches = argc > 1 ? std::max(1, std::atoi(argv[1])) : 6;
  const int delayMs = argc > 2 ? std::max(0, std::atoi(argv[2])) : 500;
  for (const char* p : {"Xvfb", "openbox", "trayer", "xlogo", "xcalc", "xdotool"})
    if (!testing_support::ProgramInstalled(p)) {
      std::fprintf(stderr, "corvaline-bench-autoswitch: %s is not installed\n", p);
      return 1;
    }
  const fs::path home =
      fs::temp_directory_path() / ("corvaline-bench-auto-" + std::to_string(getpid()));
  testing_support::XDesktop desktop;
  std::string why;
  if (!desktop.Start(&why) || !desktop.StartTray(&why)) return Fail(why.c_str()), 1;
  auto mouse = std::make_shared<sim::VirtualMouse>();
  sim::SimServer server(mouse);
  if (!Prepare(home, delayMs)) return 1;
  if (!server.Start(sim::DefaultSocketPath(), &why)) return Fail(why.c_str()), 1;
  std::thread serving([&server] { server.Run(); });
  // Every way out stops the server first; a running thread left behind
  // would end the process with std::terminate instead of the message.
  struct Join {
    sim::SimServer& server;
    std::thread& thread;
    ~Join() {
      server.RequestStop();
      thread.join();
    }
  } join{server, serving};

  std::string active;
  Clock::time_point changedAt;
  auto watcher = platform::CreateX11FocusWatcher(
      [&](const std::vector<std::string>& names) {
        active = names.front();
        changedAt = Clock::now();
      },
      &why);
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  Child program({CORVALINE_PROGRAM});
  Child logo({"xlogo"}), calc({"xcalc"});
  const fs::path configBin = home / "config" / "corvaline" / "config.bin";
  std::string whyCalc, whyLogo;
  const std::string windows[2] = {WindowOf("xcalc", &whyCalc), WindowOf("xlogo", &whyLogo)};
  if (windows[0].empty()) return Fail(whyCalc.c_str()), 1;
  if (windows[1].empty()) return Fail(whyLogo.c_str()), 1;
  // Settled on xlogo first, so every measured switch is a change.
  RunToEnd({"xdotool", "windowactivate", "--sync", windows[1]});
  why = testing_support::WaitFor(
      "the program to apply xlogo's profile (rate code 8)", 20s,
      [&] { return ConfigRate(configBin) == 8 && mouse->State().reportRateCode == 8; },
      [&] {
        return "config.bin " + std::to_string(ConfigRate(configBin)) + ", mouse " +
               std::to_string(mouse->State().reportRateCode) + ", program " + program.State();
      });
  if (!why.empty()) return Fail(why.c_str()), 1;
  // The settled Apply's last reports pass before the first measured switch.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  std::vector<double> ms, toFirst;
  for (int i = 0; watcher && i < switches; ++i) {
    watcher->Dispatch();
    const char* app = i % 2 ? "xlogo" : "xcalc";
    const int rate = i % 2 ? 8 : 1;
    // Not waited for: the clock starts when the window manager announces
    // the change, which this loop sees as soon as the program does.
    Child activate({"xdotool", "windowactivate", windows[i % 2]});
    const auto limit = Clock::now() + std::chrono::seconds(5);
    bool seen = false, done = false;
    Clock::time_point firstCommand{};
    while (Clock::now() < limit && !done) {
      watcher->Dispatch();
      if (!seen && active == app) {
        seen = true;
        mouse->ClearCommandLog();  // what the program did before the change is not this switch
      }
      if (!seen && Clock::now() > limit - std::chrono::seconds(4) && !activate.Running())
        activate = Child({"xdotool", "windowactivate", windows[i % 2]});  // lost: once more
      if (seen && firstCommand == Clock::time_point{} && !mouse->CommandLog().empty())
        firstCommand = Clock::now();
      done = seen && LastCommandTaken(*mouse) && mouse->State().reportRateCode == rate;
      if (!done) std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    if (!done) break;
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - changedAt).count());
    toFirst.push_back(std::chrono::duration<double, std::milli>(firstCommand - changedAt).count());
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
  }
  program.Stop();
  fs::remove_all(home);
  if (ms.size() != static_cast<std::size_t>(switches))
    return Fail("a switch did not arrive in 5 s"), 1;
  std::sort(ms.begin(), ms.end());
  std::sort(toFirst.begin(), toFirst.end());
  const double goal = delayMs + 1.05 * kApplyFloorMs;
  std::printf("automatic switch, focus change to the mouse holding the profile, %d switches\n",
              switches);
  std::printf("delay %d ms; min %.1f ms  median %.1f ms  max %.1f ms\n", delayMs, ms.front(),
              ms[ms.size() / 2], ms.back());
  std::printf("to the Apply's first command: median %.1f ms\n", toFirst[toFirst.size() / 2]);
  std::printf("beyond the delay (median): %.1f ms = %.3f x the Apply floor of 259 ms\n",
              ms[ms.size() / 2] - delayMs, (ms[ms.size() / 2] - delayMs) / kApplyFloorMs);
  std::printf("goal: at most %.1f ms: %s\n", goal, ms.back() <= goal ? "met" : "NOT met");
  return 0;
}
