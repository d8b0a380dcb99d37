#include "desktop_session.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "wait.h"

namespace corvaline::testing_support {
namespace {

namespace fs = std::filesystem;

// Starts and stops of servers and the programs under test take their time on
// a machine loaded by parallel tests and sanitizers.
constexpr auto kServerDeadline = 30s;

// The child's descriptor 3 is `passFd` (Xvfb's -displayfd 3); every other
// descriptor above 2 is closed, so no test's pipe or socket leaks into it.
pid_t Spawn(const std::vector<std::string>& argv, const std::string& log, int passFd) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    setpgid(0, 0);
    if (!log.empty()) {
      const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
      if (out >= 0) {
        dup2(out, STDOUT_FILENO);
        dup2(out, STDERR_FILENO);
      }
    }
    if (passFd >= 0) {
      if (passFd == 3)
        fcntl(3, F_SETFD, 0);
      else
        dup2(passFd, 3);
    }
    for (int fd = passFd >= 0 ? 4 : 3; fd < 256; ++fd) close(fd);
    execvp(args[0], args.data());
    _exit(127);
  }
  return pid;
}

using Connection = std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)>;

Connection Connect(const std::string& display) {
  return Connection(xcb_connect(display.c_str(), nullptr), &xcb_disconnect);
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr),
      &std::free);
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// A window manager is ready once it manages a window mapped now. openbox
// sets _NET_SUPPORTING_WM_CHECK early in its start and drops the map
// requests that come before its event loop runs: a client mapped then stays
// unmapped and can never take the focus. So a probe window is mapped and
// must get WM_STATE (set by the manager as it takes it); a new one each try.
bool WindowManagerManages(const std::string& display) {
  Connection c = Connect(display);
  if (xcb_connection_has_error(c.get())) return false;
  xcb_connection_t* x = c.get();
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
  const xcb_window_t probe = xcb_generate_id(x);
  xcb_create_window(x, XCB_COPY_FROM_PARENT, probe, screen->root, 0, 0, 10, 10, 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
  xcb_map_window(x, probe);
  const xcb_atom_t wmState = Atom(x, "WM_STATE");
  const std::string managed = WaitFor("WM_STATE", 500ms, [&] {
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> p(
        xcb_get_property_reply(x, xcb_get_property(x, 0, probe, wmState, wmState, 0, 2), nullptr),
        &std::free);
    return p && xcb_get_property_value_length(p.get()) > 0;
  });
  xcb_destroy_window(x, probe);
  xcb_flush(x);
  return managed.empty();
}

// A notification area is there for the program once the system tray
// selection of screen 0 has an owner (what Qt itself asks).
bool TrayOwned(const std::string& display) {
  Connection c = Connect(display);
  if (xcb_connection_has_error(c.get())) return false;
  const xcb_atom_t selection = Atom(c.get(), "_NET_SYSTEM_TRAY_S0");
  std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
      xcb_get_selection_owner_reply(c.get(), xcb_get_selection_owner(c.get(), selection), nullptr),
      &std::free);
  return owner && owner->owner != xcb_window_t{XCB_WINDOW_NONE};
}

std::string TempLog(const std::string& name) {
  return (fs::temp_directory_path() /
          ("corvaline-" + name + "-" + std::to_string(getpid()) + ".log"))
      .string();
}

}  // namespace

Child::Child(const std::vector<std::string>& argv, const std::string& log, int passFd)
    : pid_(Spawn(argv, log, passFd)) {}

Child::Child(Child&& other) noexcept
    : pid_(other.pid_), ended_(other.ended_), status_(other.status_) {
  other.pid_ = -1;
}

Child& Child::operator=(Child&& other) noexcept {
  if (this != &other) {
    Stop();
    pid_ = other.pid_;
    ended_ = other.ended_;
    status_ = other.status_;
    other.pid_ = -1;
  }
  return *this;
}

bool Child::Running() {
  if (pid_ <= 0 || ended_) return false;
  if (waitpid(pid_, &status_, WNOHANG) == pid_) ended_ = true;
  return !ended_;
}

std::string Child::State() {
  if (pid_ <= 0) return "not started";
  if (Running()) return "running";
  if (WIFEXITED(status_)) return "exited with status " + std::to_string(WEXITSTATUS(status_));
  if (WIFSIGNALED(status_)) return "ended by signal " + std::to_string(WTERMSIG(status_));
  return "ended";
}

void Child::Stop() {
  if (pid_ <= 0) return;
  // The group too: what the program started (a shell's children) goes with it.
  kill(-pid_, SIGTERM);
  if (!ended_ && !WaitFor("the end", 2s, [this] { return !Running(); }).empty()) {
    kill(-pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  pid_ = -1;
  ended_ = false;
}

int RunToEnd(const std::vector<std::string>& argv) {
  const pid_t pid = Spawn(argv, {}, -1);
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool ProgramInstalled(const char* name) {
  return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

std::string LogTail(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);)
    if (!line.empty()) lines.push_back(line);
  std::string tail;
  for (std::size_t i = lines.size() > 3 ? lines.size() - 3 : 0; i < lines.size(); ++i)
    tail += (tail.empty() ? "" : " | ") + lines[i];
  return tail.empty() ? "(no output)" : tail;
}

XServer::~XServer() {
  xvfb_.Stop();
  if (!log_.empty()) std::remove(log_.c_str());
}

bool XServer::Start(const std::string& screen, std::string* why) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return *why = "no pipe for Xvfb's display number", false;
  log_ = TempLog("xvfb");
  xvfb_ = Child({"Xvfb", "-displayfd", "3", "-noreset", "-nolisten", "tcp", "-screen", "0", screen},
                log_, fds[1]);
  close(fds[1]);
  // Xvfb writes the number once it listens; end of file means it gave up.
  std::string number;
  const std::string named = WaitFor("Xvfb to name its display", kServerDeadline, [&] {
    pollfd p{fds[0], POLLIN, 0};
    char c = 0;
    while (poll(&p, 1, 0) == 1 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    return c == '\n' || (p.revents & POLLHUP) != 0;
  });
  close(fds[0]);
  if (!named.empty() || number.empty()) {
    *why = (named.empty() ? std::string("Xvfb named no display") : named) + "; Xvfb " +
           xvfb_.State() + ": " + LogTail(log_);
    return false;
  }
  display_ = ":" + number;
  const std::string connected = WaitFor(
      "a client to connect to " + display_, kServerDeadline,
      [&] { return !xcb_connection_has_error(Connect(display_).get()); },
      [&] { return "Xvfb " + xvfb_.State() + ": " + LogTail(log_); });
  if (!connected.empty()) return *why = connected, false;
  return true;
}

XDesktop::~XDesktop() {
  tray_.Stop();
  wm_.Stop();
  for (const std::string& log : {wmLog_, trayLog_})
    if (!log.empty()) std::remove(log.c_str());
}

bool XDesktop::Start(std::string* why) {
  if (!server_.Start("800x600x24", why)) return false;
  setenv("DISPLAY", Display().c_str(), 1);
  wmLog_ = TempLog("openbox");
  wm_ = Child({"openbox", "--sm-disable"}, wmLog_);
  *why = WaitFor(
      "openbox to manage a window mapped on " + Display(), kServerDeadline,
      [&] { return WindowManagerManages(Display()); },
      [&] { return "openbox " + wm_.State() + ": " + LogTail(wmLog_); });
  return why->empty();
}

bool XDesktop::StartTray(std::string* why) {
  trayLog_ = TempLog("trayer");
  tray_ = Child({"trayer", "--edge", "bottom", "--align", "right", "--widthtype", "request",
                 "--height", "32"},
                trayLog_);
  *why = WaitFor(
      "trayer to own the system tray of " + Display(), kServerDeadline,
      [&] { return TrayOwned(Display()) || !tray_.Running(); },
      [&] { return "trayer " + tray_.State() + ": " + LogTail(trayLog_); });
  if (why->empty() && !tray_.Running()) *why = "trayer " + tray_.State() + ": " + LogTail(trayLog_);
  return why->empty();
}

bool SwayDesktop::Start(const std::string& runtimeDir, std::string* why) {
  fs::create_directories(runtimeDir);
  const std::string config = runtimeDir + "/sway.conf";
  const std::string log = runtimeDir + "/sway.log";
  { std::ofstream(config) << "output HEADLESS-1 resolution 800x600\n"; }
  std::vector<std::string> argv = {"env",
                                   "-i",
                                   "PATH=" + std::string(std::getenv("PATH")),
                                   "HOME=" + runtimeDir,
                                   "XDG_RUNTIME_DIR=" + runtimeDir,
                                   "WLR_BACKENDS=headless",
                                   "WLR_LIBINPUT_NO_DEVICES=1",
                                   "WLR_RENDERER=pixman",
                                   "sway",
                                   "-c",
                                   config};
  if (geteuid() == 0) {
    if (chown(runtimeDir.c_str(), 65534, 65534) != 0 || chmod(runtimeDir.c_str(), 0700) != 0) {
      *why = "cannot hand the runtime folder to nobody";
      return false;
    }
    argv.insert(argv.begin(), {"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"});
  }
  sway_ = Child(argv, log);
  // Ready once its IPC answers: by then its Wayland socket is listening too.
  auto ready = [&] {
    std::error_code ec;
    bool display = false;
    ipc_.clear();
    for (const auto& e : fs::directory_iterator(runtimeDir, ec)) {
      const std::string name = e.path().filename().string();
      if (name.rfind("sway-ipc.", 0) == 0) ipc_ = e.path().string();
      if (name == "wayland-1") display = true;
    }
    return !sway_.Running() || (display && !ipc_.empty() &&
                                RunToEnd({"swaymsg", "-q", "-s", ipc_, "-t", "get_version"}) == 0);
  };
  *why = WaitFor("sway's wayland-1 and IPC in " + runtimeDir, kServerDeadline, ready,
                 [&] { return "sway " + sway_.State() + ": " + LogTail(log); });
  if (why->empty() && !sway_.Running()) *why = "sway " + sway_.State() + ": " + LogTail(log);
  if (!why->empty()) return false;
  setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
  setenv("WAYLAND_DISPLAY", "wayland-1", 1);
  return true;
}

int SwayDesktop::Command(const std::string& command) const {
  return RunToEnd({"swaymsg", "-s", ipc_, command});
}

}  // namespace corvaline::testing_support
