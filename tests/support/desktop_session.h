// Throw-away desktops for the tests and the benchmark: an X server (Xvfb on a
// display it picks itself), openbox as the EWMH window manager, trayer as the
// notification area, headless sway; and helpers to start and stop programs.
// Each Start returns only once a client can use what it started, and says
// what it waited for and saw when that did not come in time.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace corvaline::testing_support {

// A started program in a process group of its own, stopped (SIGTERM to the
// group, then SIGKILL) when this goes. `log`, when given, takes its output.
class Child {
 public:
  Child() = default;
  explicit Child(const std::vector<std::string>& argv, const std::string& log = {},
                 int passFd = -1);
  Child(Child&& other) noexcept;
  Child& operator=(Child&& other) noexcept;
  ~Child() { Stop(); }
  void Stop();
  bool Running();
  pid_t Pid() const { return pid_; }
  // "running", or how it ended.
  std::string State();

 private:
  pid_t pid_ = -1;
  bool ended_ = false;
  int status_ = 0;
};

// Runs a program to its end; its exit status, or -1.
int RunToEnd(const std::vector<std::string>& argv);

bool ProgramInstalled(const char* name);

// The last lines of a log file, on one line, for a failure message.
std::string LogTail(const std::string& path);

// Xvfb with -displayfd (the server takes a free display itself, so two tests
// never race for one) and -noreset (the last client leaving does not reset
// it under the next one's feet).
class XServer {
 public:
  XServer() = default;
  XServer(XServer&&) = default;
  XServer& operator=(XServer&&) = default;
  ~XServer();
  // Ready once a client has connected. False with `why` otherwise.
  bool Start(const std::string& screen, std::string* why);
  const std::string& Display() const { return display_; }

 private:
  Child xvfb_;
  std::string display_, log_;
};

class XDesktop {
 public:
  ~XDesktop();
  // An X server and openbox; DISPLAY is set in this process for what it
  // starts. False (with `why`) when either cannot start.
  bool Start(std::string* why);
  // trayer, a notification area, so balloons stay in it and take no focus;
  // ready once it owns the system tray selection.
  bool StartTray(std::string* why);
  const std::string& Display() const { return server_.Display(); }

 private:
  XServer server_;
  Child wm_, tray_;
  std::string wmLog_, trayLog_;
};

// Headless sway on a runtime folder of its own; WAYLAND_DISPLAY and
// XDG_RUNTIME_DIR are set in this process. sway refuses to run as root, so
// as root it runs as "nobody" (root still reaches its sockets).
class SwayDesktop {
 public:
  bool Start(const std::string& runtimeDir, std::string* why);
  // swaymsg with the compositor's IPC socket; the exit status.
  int Command(const std::string& command) const;

 private:
  Child sway_;
  std::string ipc_;
};

}  // namespace corvaline::testing_support
