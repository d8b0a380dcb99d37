// A hook for unattended screenshots: CORVALINE_SHOWCASE_OPEN_MS=N opens the
// window N ms after start as a tray click would, and
// CORVALINE_SHOWCASE_PAGE=advanced then switches to the Advanced page. Without
// the variables nothing happens.
#pragma once

namespace corvaline::gui {

class Shell;

void InstallShowcaseHook(Shell& shell);

}  // namespace corvaline::gui
