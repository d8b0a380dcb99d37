// Desktop notifications over org.freedesktop.Notifications; a desktop
// without that service gets the tray's message window instead.
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QVariantMap>

#include "core/system/balloons.h"
#include "gui/tray/tray.h"

namespace corvaline::gui {

namespace {

// One id for the whole run, so that a new notification replaces the last one
// as a new balloon replaces the previous one.
quint32 g_lastId = 0;

}  // namespace

bool SendDesktopNotification(const QString& title, const QString& text, int timeoutMs) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (bus.isConnected()) {
    QDBusInterface notifications("org.freedesktop.Notifications",
                                 "/org/freedesktop/Notifications",
                                 "org.freedesktop.Notifications", bus);
    if (notifications.isValid()) {
      QDBusReply<quint32> reply = notifications.call(
          "Notify", QStringLiteral("CORVALINE Control"), g_lastId,
          QStringLiteral("dialog-information"), title, text, QStringList(), QVariantMap(),
          ReadableBalloonMs(timeoutMs));
      if (reply.isValid()) {
        g_lastId = reply.value();
        return true;
      }
    }
  }
  return false;
}

}  // namespace corvaline::gui
