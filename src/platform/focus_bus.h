// The program's session-bus service for focus reports (KWin script, GNOME
// Shell extension): one name, one method taking an application id.
#pragma once

#include <string>

#include "platform/focus_watch.h"

namespace corvaline::platform {

inline constexpr char kFocusBusName[] = "io.github.corvaline.Control";
inline constexpr char kFocusBusPath[] = "/io/github/corvaline/Control";
inline constexpr char kFocusBusInterface[] = "io.github.corvaline.Control";
inline constexpr char kGnomeExtensionUuid[] = "corvaline-focus@corvaline.github.io";

enum class BusDesktop { Kde, Gnome };

// Offers the service on the session bus; under KDE also loads `kwinScript`
// into KWin (unloaded again when the watcher goes). Null with *problem set
// when the bus or KWin refuses.
std::unique_ptr<FocusWatcher> CreateBusFocusWatcher(BusDesktop desktop,
                                                    const std::string& kwinScript,
                                                    const FocusWatcher::Report& report,
                                                    std::string* problem);

// Whether GNOME Shell has the program's extension enabled.
bool GnomeExtensionEnabled();

}  // namespace corvaline::platform
