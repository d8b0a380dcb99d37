// Which application has the focus, as the desktop tells it: one watcher per
// way of seeing it (X11 EWMH, wlroots foreign toplevels, the program's
// session-bus service fed by the KWin script or the GNOME Shell extension),
// chosen at run time for the desktop that runs.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace corvaline::platform {

class FocusWatcher {
 public:
  // The names the focused window goes by, most specific first (X11:
  // WM_CLASS instance, then class; Wayland: the app_id).
  using Report = std::function<void(const std::vector<std::string>& names)>;

  virtual ~FocusWatcher() = default;
  // "x11", "wlroots", "kwin", "gnome".
  virtual std::string_view Name() const = 0;
  // A descriptor to watch for reading, then call Dispatch; -1 when the GLib
  // main loop (which Qt runs) drives the watcher.
  virtual int Descriptor() const = 0;
  virtual void Dispatch() = 0;
};

struct FocusWatchers {
  std::vector<std::unique_ptr<FocusWatcher>> watchers;
  // GNOME on Wayland without the program's Shell extension: only XWayland
  // windows are seen (the caller says so once).
  bool gnomeNeedsExtension = false;
  // Why nothing could be watched, for the log; empty when something is.
  std::string problem;
};

// The watchers for this session: decided from XDG_CURRENT_DESKTOP,
// WAYLAND_DISPLAY and DISPLAY. `shareFolder` holds the installed KWin
// script (kwin/corvaline-focus.js).
FocusWatchers CreateFocusWatchers(const FocusWatcher::Report& report,
                                  const std::string& shareFolder);

// Single backends, for the tests and the benchmark. Null (with *problem set)
// when the display or bus cannot be reached.
std::unique_ptr<FocusWatcher> CreateX11FocusWatcher(const FocusWatcher::Report& report,
                                                    std::string* problem);

std::unique_ptr<FocusWatcher> CreateWlrootsFocusWatcher(const FocusWatcher::Report& report,
                                                        std::string* problem);

}  // namespace corvaline::platform
