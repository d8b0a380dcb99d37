// A hook for unattended screenshots, driven by two environment variables:
// CORVALINE_SHOWCASE_OPEN_MS=N opens the window N ms after start exactly as a
// left click on the tray icon would, and CORVALINE_SHOWCASE_ADVANCED_MS=M
// switches to the Advanced page M ms after start. Without them nothing
// happens.
#pragma once

namespace corvaline::gui {

class Shell;

void InstallShowcaseHook(Shell& shell);

}  // namespace corvaline::gui
