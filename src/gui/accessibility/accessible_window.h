// Assistive technology's view of the program's windows: the main window's
// drawn controls on each page and its lists (the dialogs: accessible_dialogs.h).
#pragma once

#include <QAccessibleInterface>
#include <functional>
#include <vector>

#include "gui/accessibility/accessible_controls.h"
#include "gui/pages/page_controls.h"

namespace corvaline::gui {

class Shell;

// The drawn controls of the Advanced page's pointer settings (null: none).
using PageControls = std::function<std::vector<PageControl>()>;

// Installs the accessible objects of the shell's windows (before the
// event loop starts).
void InstallAccessibility(Shell& shell, PageControls pointer = {});

// The main window's drawn controls of both pages, in reading order.
std::vector<DrawnControl> MainWindowControls(Shell& shell, const PageControls& pointer);

}  // namespace corvaline::gui
