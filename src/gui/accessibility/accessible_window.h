// Assistive technology's view of the program's windows: the main window's
// drawn controls on each page and its lists (the dialogs: accessible_dialogs.h).
#pragma once

#include <QAccessibleInterface>
#include <functional>
#include <vector>

#include "gui/accessibility/accessible_controls.h"
#include "core/system/system_mouse.h"

namespace corvaline::gui {

class Shell;

// Which pointer settings this desktop lets the program change (null: all).
using PointerQuery = std::function<PointerSupport()>;

// Installs the accessible objects of the shell's windows (before the
// event loop starts).
void InstallAccessibility(Shell& shell, PointerQuery support = {});

// The main window's drawn controls of both pages, in reading order.
std::vector<DrawnControl> MainWindowControls(Shell& shell, const PointerQuery& support);

}  // namespace corvaline::gui
