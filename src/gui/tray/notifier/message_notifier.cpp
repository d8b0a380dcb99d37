// Desktop notifications without D-Bus: there is no service, so the tray's
// own message window stands in.
#include "gui/tray/tray.h"

namespace corvaline::gui {

bool SendDesktopNotification(const QString&, const QString&, int) { return false; }

}  // namespace corvaline::gui
