#include "gui/app/tray.h"

#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>

namespace corvaline::gui {

struct SystemTray::Impl {
  QSystemTrayIcon icon;
  QMenu menu;
  QMenu* profiles = nullptr;  // made on the first SetProfiles
  QAction* exitAction = nullptr;
};

SystemTray::SystemTray(QObject* parent) : TrayPort(parent), impl_(new Impl) {
  impl_->exitAction = impl_->menu.addAction(QString());
  impl_->icon.setContextMenu(&impl_->menu);
  connect(impl_->exitAction, &QAction::triggered, this, &TrayPort::exitChosen);
  connect(&impl_->menu, &QMenu::aboutToShow, this, &TrayPort::menuOpening);
  connect(&impl_->icon, &QSystemTrayIcon::activated, this,
          [this](QSystemTrayIcon::ActivationReason reason) {
            // Context (right button) is served by the menu itself; the middle
            // button does nothing.
            if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
              emit leftClicked();
          });
}

SystemTray::~SystemTray() { delete impl_; }

void SystemTray::ShowIcon(const QIcon& icon, const QString& tip, const QString& exitText) {
  impl_->exitAction->setText(exitText);
  impl_->icon.setIcon(icon);
  impl_->icon.setToolTip(tip);
  impl_->icon.show();
}

void SystemTray::RemoveIcon() { impl_->icon.hide(); }

void SystemTray::ShowBalloon(const QString& title, const QString& text, int timeoutMs) {
  // Always the information icon, the "Warning" title included.
  impl_->icon.showMessage(title, text, QSystemTrayIcon::Information, timeoutMs);
}

void SystemTray::SetProfiles(const QString& title, const QStringList& names,
                             const QString& emptyText, const QString& saveText) {
  if (!impl_->profiles) {
    impl_->profiles = new QMenu(&impl_->menu);
    impl_->menu.insertMenu(impl_->exitAction, impl_->profiles);
  }
  QMenu* m = impl_->profiles;
  m->setTitle(title);
  m->clear();
  for (const QString& name : names)
    connect(m->addAction(name), &QAction::triggered, this, [this, name] { emit profileChosen(name); });
  if (names.isEmpty()) m->addAction(emptyText)->setEnabled(false);
  m->addSeparator();
  connect(m->addAction(saveText), &QAction::triggered, this, &TrayPort::saveProfileChosen);
}

QMenu* SystemTray::ContextMenu() { return &impl_->menu; }

void NotificationOnlyTray::ShowBalloon(const QString& title, const QString& text, int timeoutMs) {
  if (useDesktopService_ && SendDesktopNotification(title, text, timeoutMs)) return;
  notice_.Show(title, text, timeoutMs);
}

}  // namespace corvaline::gui
