// The notification-area icons behind the shell's TrayPort: the real icon
// (QSystemTrayIcon) and the desktop-notification stand-in for desktops
// without a notification area.
#pragma once

#include <QIcon>
#include <QObject>
#include <QString>
#include <QStringList>

#include "gui/shell/tray_port.h"
#include "gui/tray/notice_window.h"
class QMenu;

namespace corvaline::gui {

// The system's notification area.
class SystemTray : public TrayPort {
  Q_OBJECT
 public:
  explicit SystemTray(QObject* parent = nullptr);
  ~SystemTray() override;
  void ShowIcon(const QIcon& icon, const QString& tip, const QString& exitText) override;
  void RemoveIcon() override;
  void ShowBalloon(const QString& title, const QString& text, int timeoutMs) override;
  void SetProfiles(const QString& title, const QStringList& names, const QString& emptyText,
                   const QString& saveText) override;
  QMenu* ContextMenu() override;
  void SetAutoEntries(const QString& switchText, bool on, const QString& assignText) override;
  // The right button on the icon, or the host's ContextMenu request: the
  // menu as a popup at the pointer, unless it is already open.
  void ShowMenuAtPointer();

 private:
  struct Impl;
  Impl* impl_;
};

// Where there is no notification area: no icon, balloons become desktop
// notifications (or a non-modal message window where the desktop has no
// notification service and the window cannot take the focus from another
// program: NoticeWindowMayShow).
class NotificationOnlyTray : public TrayPort {
  Q_OBJECT
 public:
  // useDesktopService false: always the message window (tests).
  explicit NotificationOnlyTray(bool useDesktopService = true, QObject* parent = nullptr)
      : TrayPort(parent), useDesktopService_(useDesktopService) {}
  void ShowIcon(const QIcon&, const QString&, const QString&) override {}
  void RemoveIcon() override {}
  void ShowBalloon(const QString& title, const QString& text, int timeoutMs) override;
  const NoticeWindow& Notice() const { return notice_; }

 private:
  bool useDesktopService_;
  NoticeWindow notice_;
};

// Sends one desktop notification; implemented by the notifier CMake picks.
// False when the desktop has no notification service.
bool SendDesktopNotification(const QString& title, const QString& text, int timeoutMs);

}  // namespace corvaline::gui
