// Assistive technology's view of the program's windows: the main window's
// drawn controls on each page, the lists, and the sub-dialogs' drawn buttons.
#pragma once

#include <QAccessibleInterface>
#include <vector>

#include "gui/app/accessible_controls.h"

namespace corvaline::gui {

class Shell;

// Installs the accessible objects of the shell's windows (before the
// event loop starts).
void InstallAccessibility(Shell& shell);

// The main window's drawn controls of both pages, in reading order.
std::vector<DrawnControl> MainWindowControls(Shell& shell);

}  // namespace corvaline::gui
