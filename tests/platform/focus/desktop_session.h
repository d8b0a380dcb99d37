// A throw-away X desktop for the focus tests and the benchmark: Xvfb on a
// display it picks itself, openbox as the EWMH window manager, and helpers
// to start and stop programs in it.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace corvaline::testing_support {

// A started program, stopped (SIGTERM, then SIGKILL) when this goes.
class Child {
 public:
  Child() = default;
  explicit Child(const std::vector<std::string>& argv);
  Child(Child&& other) noexcept : pid_(other.pid_) { other.pid_ = -1; }
  Child& operator=(Child&& other) noexcept;
  ~Child() { Stop(); }
  void Stop();
  bool Running() const;
  pid_t Pid() const { return pid_; }

 private:
  pid_t pid_ = -1;
};

// Runs a program to its end; its exit status, or -1.
int RunToEnd(const std::vector<std::string>& argv);

class XDesktop {
 public:
  // Xvfb and openbox; DISPLAY is set in this process for what it starts.
  // False (with `why`) when either cannot start.
  bool Start(std::string* why);
  // trayer, a notification area, so balloons stay in it and take no focus.
  bool StartTray();
  const std::string& Display() const { return display_; }

 private:
  Child xvfb_, wm_, tray_;
  std::string display_;
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

bool ProgramInstalled(const char* name);

}  // namespace corvaline::testing_support
