#include "desktop_session.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

namespace corvaline::testing_support {
namespace {

pid_t Spawn(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    setpgid(0, 0);
    for (int fd = 3; fd < 256; ++fd) close(fd);
    execvp(args[0], args.data());
    _exit(127);
  }
  return pid;
}

// openbox sets _NET_SUPPORTING_WM_CHECK on the root window once it manages.
bool WindowManagerRuns() {
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  bool runs = false;
  if (!xcb_connection_has_error(c)) {
    const char* name = "_NET_SUPPORTING_WM_CHECK";
    auto* atom = xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, std::strlen(name), name), nullptr);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    if (atom && atom->atom != XCB_ATOM_NONE) {
      auto* p = xcb_get_property_reply(
          c, xcb_get_property(c, 0, root, atom->atom, XCB_ATOM_WINDOW, 0, 1), nullptr);
      runs = p && xcb_get_property_value_length(p) == 4;
      std::free(p);
    }
    std::free(atom);
  }
  xcb_disconnect(c);
  return runs;
}

}  // namespace

Child::Child(const std::vector<std::string>& argv) : pid_(Spawn(argv)) {}

Child& Child::operator=(Child&& other) noexcept {
  if (this != &other) {
    Stop();
    pid_ = other.pid_;
    other.pid_ = -1;
  }
  return *this;
}

void Child::Stop() {
  if (pid_ <= 0) return;
  kill(-pid_, SIGTERM);
  for (int i = 0; i < 40; ++i) {
    if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
      pid_ = -1;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  kill(-pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

bool Child::Running() const { return pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == 0; }

int RunToEnd(const std::vector<std::string>& argv) {
  const pid_t pid = Spawn(argv);
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool ProgramInstalled(const char* name) {
  return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

bool XDesktop::Start(std::string* why) {
  // A display number nobody holds; another test may take it at the same
  // moment, so a few are tried.
  for (int n = 160; n < 240 && display_.empty(); ++n) {
    const std::string number = std::to_string(n);
    if (access(("/tmp/.X11-unix/X" + number).c_str(), F_OK) == 0 ||
        access(("/tmp/.X" + number + "-lock").c_str(), F_OK) == 0)
      continue;
    xvfb_ = Child({"Xvfb", ":" + number, "-nolisten", "tcp", "-screen", "0", "800x600x24"});
    const std::string name = ":" + number;
    for (int i = 0; i < 100 && display_.empty() && xvfb_.Running(); ++i) {
      xcb_connection_t* c = xcb_connect(name.c_str(), nullptr);
      if (!xcb_connection_has_error(c)) display_ = name;
      xcb_disconnect(c);
      if (display_.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (display_.empty()) xvfb_.Stop();
  }
  if (display_.empty()) {
    *why = "Xvfb did not start";
    return false;
  }
  setenv("DISPLAY", display_.c_str(), 1);
  // On a busy machine openbox may not come up at the first go.
  for (int attempt = 0; attempt < 2; ++attempt) {
    wm_ = Child({"openbox", "--sm-disable"});
    for (int i = 0; i < 160; ++i) {
      if (WindowManagerRuns()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  }
  *why = "openbox did not start";
  return false;
}

bool XDesktop::StartTray() {
  tray_ = Child({"trayer", "--edge", "bottom", "--align", "right", "--widthtype", "request",
                 "--height", "32"});
  std::this_thread::sleep_for(std::chrono::milliseconds(800));
  return tray_.Running();
}

bool SwayDesktop::Start(const std::string& runtimeDir, std::string* why) {
  namespace fs = std::filesystem;
  fs::create_directories(runtimeDir);
  const std::string config = runtimeDir + "/sway.conf";
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
  sway_ = Child(argv);
  for (int i = 0; i < 200 && ipc_.empty() && sway_.Running(); ++i) {
    std::error_code ec;
    bool display = false;
    for (const auto& e : fs::directory_iterator(runtimeDir, ec)) {
      const std::string name = e.path().filename().string();
      if (name.rfind("sway-ipc.", 0) == 0) ipc_ = e.path().string();
      if (name == "wayland-1") display = true;
    }
    if (!display) ipc_.clear();
    if (ipc_.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  if (ipc_.empty()) {
    *why = "sway did not start";
    return false;
  }
  setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
  setenv("WAYLAND_DISPLAY", "wayland-1", 1);
  return true;
}

int SwayDesktop::Command(const std::string& command) const {
  return RunToEnd({"swaymsg", "-s", ipc_, command});
}

}  // namespace corvaline::testing_support
