// The AT-SPI events Qt 6.4's bridge leaves out or sends without their text,
// sent on the bridge's own connection to the accessibility bus (named
// "a11y"), from the path the bridge gives the object, in the bridge's form
// of an event: so a screen reader takes them as the object's own.
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QString>

#include "platform/accessible_events.h"

namespace corvaline::platform {

namespace {

const QString kObjectPaths = QStringLiteral("/org/a11y/atspi/accessible/");

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// An event of org.a11y.atspi.Event.Object: kind, detail, two numbers, the
// value (the new text) and the application it comes from. Without the
// bridge's connection (accessibility off, the bus gone) nothing is sent.
bool Send(unsigned object, const QString& kind, const QString& detail, int detail1, const QVariant& value) {
  QDBusConnection bus(QStringLiteral("a11y"));
  if (!bus.isConnected()) return false;
  QDBusMessage event = QDBusMessage::createSignal(kObjectPaths + QString::number(object),
                                                  QStringLiteral("org.a11y.atspi.Event.Object"), kind);
  QDBusArgument application;
  application.beginStructure();
  application << bus.baseService() << QDBusObjectPath(kObjectPaths + QStringLiteral("root"));
  application.endStructure();
  event << detail << detail1 << 0 << QVariant::fromValue(QDBusVariant(value)) << QVariant::fromValue(application);
  return bus.send(event);
}

}  // namespace

bool TellNameText(unsigned object, std::string_view text) {
  return Send(object, QStringLiteral("PropertyChange"), QStringLiteral("accessible-name"), 0, Text(text));
}

bool TellDescriptionText(unsigned object, std::string_view text) {
  return Send(object, QStringLiteral("PropertyChange"), QStringLiteral("accessible-description"), 0, Text(text));
}

// Both states: a screen reader that keeps "collapsed" would say it first.
bool TellExpanded(unsigned object, bool expanded) {
  const bool collapsed = Send(object, QStringLiteral("StateChanged"), QStringLiteral("collapsed"), expanded ? 0 : 1, 0);
  return Send(object, QStringLiteral("StateChanged"), QStringLiteral("expanded"), expanded ? 1 : 0, 0) && collapsed;
}

// Screen readers of this AT-SPI (Orca 43) know no announcement event; they
// speak the focused object's new description at once, and read its
// description afresh when they come to it again (they keep none).
bool Announce(unsigned object, std::string_view text) { return TellDescriptionText(object, text); }

}  // namespace corvaline::platform
