// Desktop notifications without D-Bus: a small non-modal message window.
#include <QMessageBox>

#include "gui/app/tray.h"

namespace corvaline::gui {

void ShowNotificationWindow(const QString& title, const QString& text) {
  auto* box = new QMessageBox(QMessageBox::Information, title, text, QMessageBox::Ok);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setModal(false);
  box->show();
}

void SendDesktopNotification(const QString& title, const QString& text, int) {
  ShowNotificationWindow(title, text);
}

}  // namespace corvaline::gui
