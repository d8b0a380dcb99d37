// The program's icon: the window, the tray and the desktop entry show it.
#pragma once

#include <QIcon>

namespace corvaline::gui {

// The drawn icon set of the build tree or of the installed icon theme; a
// simple drawn icon when neither exists, so the tray is never empty.
QIcon AppIcon();

}  // namespace corvaline::gui
