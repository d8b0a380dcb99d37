// What the shell asks of the notification area: an icon with a menu and
// balloons. gui/tray implements it for the desktop; the tests record it.
#pragma once

#include <QIcon>
#include <QObject>
#include <QString>
#include <QStringList>

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

}  // namespace corvaline::gui
