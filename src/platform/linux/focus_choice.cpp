// Which focus watchers run, decided once at start from the session.
#include <cstdlib>
#include <string>

#include "platform/focus_bus.h"
#include "platform/focus_watch.h"

namespace corvaline::platform {
namespace {

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

// XDG_CURRENT_DESKTOP is a colon-separated list ("ubuntu:GNOME").
bool DesktopIs(const std::string& list, const std::string& name) {
  return (":" + list + ":").find(":" + name + ":") != std::string::npos;
}

}  // namespace

FocusWatchers CreateFocusWatchers(const FocusWatcher::Report& report,
                                  const std::string& shareFolder) {
  FocusWatchers out;
  std::string problem;
  const std::string desktop = Env("XDG_CURRENT_DESKTOP");
  const bool wayland = !Env("WAYLAND_DISPLAY").empty();
  bool x11 = !Env("DISPLAY").empty();
  if (DesktopIs(desktop, "KDE")) {
    // KWin sees every window, X11 or Wayland: the script is all it takes.
    if (auto kwin = CreateBusFocusWatcher(BusDesktop::Kde, shareFolder + "/kwin/corvaline-focus.js",
                                          report, &problem)) {
      out.watchers.push_back(std::move(kwin));
      x11 = false;
    }
  } else if (DesktopIs(desktop, "GNOME") && wayland) {
    if (auto gnome = CreateBusFocusWatcher(BusDesktop::Gnome, {}, report, &problem))
      out.watchers.push_back(std::move(gnome));
    out.gnomeNeedsExtension = !GnomeExtensionEnabled();
  } else if (wayland) {
    // wlroots compositors list their windows; others leave XWayland's.
    if (auto wlr = CreateWlrootsFocusWatcher(report, &problem)) {
      out.watchers.push_back(std::move(wlr));
      x11 = false;
    }
  }
  if (x11) {
    if (auto w = CreateX11FocusWatcher(report, &problem)) out.watchers.push_back(std::move(w));
  }
  if (out.watchers.empty()) out.problem = problem.empty() ? "no desktop to watch" : problem;
  return out;
}

}  // namespace corvaline::platform
