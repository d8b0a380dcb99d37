// Systems without a focus watcher: automatic profiles never switch.
#include "platform/focus_watch.h"

namespace corvaline::platform {

FocusWatchers CreateFocusWatchers(const FocusWatcher::Report&, const std::string&) {
  FocusWatchers out;
  out.problem = "this system has no focus watcher";
  return out;
}

std::unique_ptr<FocusWatcher> CreateX11FocusWatcher(const FocusWatcher::Report&,
                                                    std::string* problem) {
  if (problem) *problem = "no X11 here";
  return nullptr;
}

std::unique_ptr<FocusWatcher> CreateWlrootsFocusWatcher(const FocusWatcher::Report&,
                                                        std::string* problem) {
  if (problem) *problem = "no Wayland here";
  return nullptr;
}

}  // namespace corvaline::platform
