// The Linux pointer-settings backends and the rule that picks one.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/pointer_settings.h"

namespace corvaline::platform {

enum class PointerBackendKind { GSettings, KWin, X11, NoBackend };

struct DesktopFacts {
  bool gnomeMouseSchema = false;   // org.gnome.desktop.peripherals.mouse is installed
  std::string_view currentDesktop; // XDG_CURRENT_DESKTOP, e.g. "ubuntu:GNOME"
  bool x11Display = false;         // an X server answers on DISPLAY
  bool kwinInputDevices = false;   // org.kde.KWin lists its input devices
};

// GSettings when the schema is there and the desktop is one that reads it
// (GNOME and its relatives), KWin on KDE Plasma when KWin answers with its
// input devices (Wayland), else X11 on an X11 display, else none.
PointerBackendKind ChoosePointerBackend(const DesktopFacts& facts);
// Whether XDG_CURRENT_DESKTOP names a desktop that takes its pointer settings
// from org.gnome.desktop.peripherals.
bool IsGnomeLikeDesktop(std::string_view currentDesktop);
// Whether XDG_CURRENT_DESKTOP names KDE (Plasma).
bool IsKdeDesktop(std::string_view currentDesktop);

// org.gnome.desktop.peripherals.mouse: speed, double-click, accel-profile.
// nullptr when the schema is not installed.
std::unique_ptr<PointerBackend> CreateGSettingsPointerBackend();
bool GnomeMouseSchemaInstalled();

// KWin's input devices over the session bus (speed, acceleration profile)
// and the given kdeglobals (double-click time, wheel lines). nullptr when
// org.kde.KWin does not list its input devices.
std::unique_ptr<PointerBackend> CreateKWinPointerBackend(const std::string& kdeglobals);
// $XDG_CONFIG_HOME/kdeglobals.
std::string UserKdeGlobals();

// The X server named by `display` (nullptr: $DISPLAY): the libinput
// properties of the pointer devices when any device has them, else the core
// pointer's acceleration. nullptr when no X server answers.
std::unique_ptr<PointerBackend> CreateX11PointerBackend(const char* display);

}  // namespace corvaline::platform
