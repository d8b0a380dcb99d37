// The Linux pointer-settings backends and the rule that picks one.
#pragma once

#include <memory>
#include <string_view>

#include "platform/pointer_settings.h"

namespace corvaline::platform {

enum class PointerBackendKind { GSettings, X11, NoBackend };

struct DesktopFacts {
  bool gnomeMouseSchema = false;   // org.gnome.desktop.peripherals.mouse is installed
  std::string_view currentDesktop; // XDG_CURRENT_DESKTOP, e.g. "ubuntu:GNOME"
  bool x11Display = false;         // an X server answers on DISPLAY
};

// GSettings when the schema is there and the desktop is one that reads it
// (GNOME and its relatives), else X11 on an X11 display, else none.
PointerBackendKind ChoosePointerBackend(const DesktopFacts& facts);
// Whether XDG_CURRENT_DESKTOP names a desktop that takes its pointer settings
// from org.gnome.desktop.peripherals.
bool IsGnomeLikeDesktop(std::string_view currentDesktop);

// org.gnome.desktop.peripherals.mouse: speed, double-click, accel-profile.
// nullptr when the schema is not installed.
std::unique_ptr<PointerBackend> CreateGSettingsPointerBackend();
bool GnomeMouseSchemaInstalled();

// The X server named by `display` (nullptr: $DISPLAY): the libinput
// properties of the pointer devices when any device has them, else the core
// pointer's acceleration. nullptr when no X server answers.
std::unique_ptr<PointerBackend> CreateX11PointerBackend(const char* display);

}  // namespace corvaline::platform
