// The program's icon: the window, the tray and the desktop entry show it.
#pragma once

#include <QIcon>

namespace corvaline::gui {

// "corvaline.png" of the data folder or the installed icon when present,
// otherwise a drawn one, so there is always an icon in the tray.
QIcon AppIcon();

}  // namespace corvaline::gui
