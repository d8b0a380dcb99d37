#include "gui/app/accessible_notify.h"

#include <QAccessible>
#include <QEvent>
#include <QTimer>

namespace corvaline::gui {

namespace {

std::vector<const void*> ChildrenOf(QWidget* host) {
  std::vector<const void*> children;
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(host);
  if (!iface) return children;
  const int count = iface->childCount();
  for (int i = 0; i < count; ++i) children.push_back(iface->child(i));
  return children;
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

void TreeNotifier::Check() {
  pending_ = false;
  if (!host_ || !host_->isVisible()) return;
  std::vector<const void*> now = ChildrenOf(host_.data());
  if (now == children_) return;
  const bool first = children_.empty();
  children_ = std::move(now);
  if (first) return;  // the window's first showing is news enough
  QAccessibleEvent reorder(host_.data(), QAccessible::ObjectReorder);
  QAccessible::updateAccessibility(&reorder);
}

}  // namespace corvaline::gui
