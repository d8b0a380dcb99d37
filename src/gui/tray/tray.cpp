#include "gui/tray/tray.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QSystemTrayIcon>

#include "core/system/balloons.h"

namespace corvaline::gui {

struct SystemTray::Impl {
  QSystemTrayIcon icon;
  QMenu menu;
  QMenu* profiles = nullptr;  // made on the first SetProfiles
  QAction* exitAction = nullptr;
  QAction* autoSwitch = nullptr;  // the automatic-profile entries, kept across refills
  QAction* autoAssign = nullptr;
};

SystemTray::SystemTray(QObject* parent) : TrayPort(parent), impl_(new Impl) {
  impl_->exitAction = impl_->menu.addAction(QString());
  impl_->icon.setContextMenu(&impl_->menu);
  connect(impl_->exitAction, &QAction::triggered, this, &TrayPort::exitChosen);
  connect(&impl_->menu, &QMenu::aboutToShow, this, &TrayPort::menuOpening);
  connect(&impl_->icon, &QSystemTrayIcon::activated, this,
          [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
              emit leftClicked();
            else if (reason == QSystemTrayIcon::Context)
              ShowMenuAtPointer();
            // The middle button does nothing.
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
  // Always the information icon, the "Warning" title included. Qt keeps to
  // the time it is given where Windows would have lengthened it.
  impl_->icon.showMessage(title, text, QSystemTrayIcon::Information, ReadableBalloonMs(timeoutMs));
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
  impl_->autoSwitch = impl_->autoAssign = nullptr;
}

void SystemTray::SetAutoEntries(const QString& switchText, bool on, const QString& assignText) {
  QMenu* m = impl_->profiles;
  if (!m) return;
  if (!impl_->autoSwitch) {
    m->addSeparator();
    impl_->autoSwitch = m->addAction(switchText);
    impl_->autoSwitch->setCheckable(true);
    connect(impl_->autoSwitch, &QAction::triggered, this, &TrayPort::autoSwitchToggled);
    impl_->autoAssign = m->addAction(QString());
    connect(impl_->autoAssign, &QAction::triggered, this, &TrayPort::autoAssignChosen);
  }
  impl_->autoSwitch->setText(switchText);
  impl_->autoSwitch->setChecked(on);
  impl_->autoAssign->setText(assignText);
  impl_->autoAssign->setVisible(!assignText.isEmpty());
}

QMenu* SystemTray::ContextMenu() { return &impl_->menu; }

void SystemTray::ShowMenuAtPointer() {
  // A host that draws the exported menu does not ask, and Qt's own X11 tray
  // has opened it by now; swaybar draws no menu and only asks, so without
  // this the menu could not be reached there at all. Windows' notification
  // area opens the menu itself on every right click.
  if (impl_->menu.isVisible() || QGuiApplication::platformName() == QLatin1String("windows")) return;
  impl_->menu.popup(QCursor::pos());
  impl_->menu.activateWindow();
}

void NotificationOnlyTray::ShowBalloon(const QString& title, const QString& text, int timeoutMs) {
  if (useDesktopService_ && SendDesktopNotification(title, text, timeoutMs)) return;
  // Qt's Wayland platforms ("wayland", "wayland-egl") activate every window they show.
  const bool showingTakesFocus = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
  if (NoticeWindowMayShow(showingTakesFocus, QApplication::activeWindow() != nullptr))
    notice_.Show(title, text, timeoutMs);
}

}  // namespace corvaline::gui
