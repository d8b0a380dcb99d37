// Assistive technology's view of the program's windows: the main window's
// drawn controls on each page and its lists (the dialogs: accessible_dialogs.h).
#pragma once

#include <QAccessibleInterface>
#include <vector>

#include "gui/accessibility/accessible_controls.h"
#include "gui/pages/page_controls.h"

namespace corvaline::gui {

class Shell;

// Installs the accessible objects of the shell's windows (before the
// event loop starts), made from the window's and the pages' control lists.
void InstallAccessibility(Shell& shell);

// The main window's controls: its band above, both pages, its band below.
std::vector<DrawnControl> MainWindowControls(Shell& shell);

}  // namespace corvaline::gui
