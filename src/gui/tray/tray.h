// The notification-area icon behind a small interface: the real icon
// (QSystemTrayIcon), the desktop-notification stand-in for desktops without
// a notification area, and the recording fake of the tests.
#pragma once

#include <QIcon>
#include <QObject>
#include <QString>
#include <QStringList>

#include "gui/tray/notice_window.h"
class QMenu;

namespace corvaline::gui {

class TrayPort : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;
  // Adds the icon with its tool tip and the one-item menu.
  virtual void ShowIcon(const QIcon& icon, const QString& tip, const QString& exitText) = 0;
  virtual void RemoveIcon() = 0;
  // A new balloon replaces the previous one.
  virtual void ShowBalloon(const QString& title, const QString& text, int timeoutMs) = 0;
  // The "Profiles" submenu above "Exit": the saved profiles, then the entry
  // that saves the current settings as one; `emptyText` stands in (disabled)
  // when there are none. Where there is no menu, nothing happens.
  virtual void SetProfiles(const QString& /*title*/, const QStringList& /*names*/,
                           const QString& /*emptyText*/, const QString& /*saveText*/) {}
  // The icon's menu, for entries of their own (tray_menu.h); null where
  // there is none.
  virtual QMenu* ContextMenu() { return nullptr; }
  // Below the profiles: "Switch automatically" (checkable) and, when
  // `assignText` is not empty, the entry giving the last application the
  // profile in use.
  virtual void SetAutoEntries(const QString& /*switchText*/, bool /*on*/,
                              const QString& /*assignText*/) {}

 signals:
  void leftClicked();   // left button released or double click on the icon
  void exitChosen();    // the menu's "Exit"
  void menuOpening();   // the menu is about to be shown: time to list the profiles
  void profileChosen(const QString& name);
  void saveProfileChosen();
  void autoSwitchToggled(bool on);
  void autoAssignChosen();
};

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

 private:
  struct Impl;
  Impl* impl_;
};

// Where there is no notification area: no icon, balloons become desktop
// notifications (or a non-modal message window where the desktop has no
// notification service).
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
