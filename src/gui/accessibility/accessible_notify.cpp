#include "gui/accessibility/accessible_notify.h"

#include <QAccessible>
#include <QEvent>
#include <QTimer>

#include <algorithm>

namespace corvaline::gui {

namespace {

std::vector<QAccessible::Id> ChildrenOf(QWidget* host) {
  std::vector<QAccessible::Id> children;
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(host);
  if (!iface) return children;
  const int count = iface->childCount();
  for (int i = 0; i < count; ++i) {
    if (QAccessibleInterface* child = iface->child(i)) children.push_back(QAccessible::uniqueId(child));
  }
  return children;
}

bool Holds(const std::vector<QAccessible::Id>& ids, QAccessible::Id id) {
  return std::find(ids.begin(), ids.end(), id) != ids.end();
}

void Tell(QAccessible::Id id, QAccessible::Event type) {
  QAccessibleInterface* child = QAccessible::accessibleInterface(id);
  if (!child || !child->isValid()) return;  // gone with its widget: Qt said so then
  QAccessibleEvent event(child, type);
  QAccessible::updateAccessibility(&event);
}

}  // namespace

TreeNotifier::TreeNotifier(QWidget* host) : QObject(host), host_(host) {
  host->installEventFilter(this);
}

// A page change repaints the host; lists come and go as its children. The
// check waits for the event loop: a list is shown after it is added.
bool TreeNotifier::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched != host_ || pending_ || !QAccessible::isActive()) return false;
  if (type != QEvent::Paint && type != QEvent::ChildAdded && type != QEvent::ChildRemoved) return false;
  pending_ = true;
  QTimer::singleShot(0, this, [this] { Check(); });
  return false;
}

// Each child that came or went is told as created or destroyed: that is
// what AT-SPI carries to screen readers as a change of the children (Qt's
// reorder notice reaches them malformed).
void TreeNotifier::Check() {
  pending_ = false;
  if (!host_ || !host_->isVisible()) return;
  std::vector<QAccessible::Id> now = ChildrenOf(host_.data());
  if (now == children_) return;
  const bool first = children_.empty();
  std::swap(children_, now);
  if (first) return;  // the window's first showing is news enough
  for (QAccessible::Id id : now) {
    if (!Holds(children_, id)) Tell(id, QAccessible::ObjectDestroyed);
  }
  for (QAccessible::Id id : children_) {
    if (!Holds(now, id)) Tell(id, QAccessible::ObjectCreated);
  }
}

}  // namespace corvaline::gui
