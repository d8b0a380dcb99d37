#include "gui/accessibility/accessible_notify.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <algorithm>
#include <string>

#include "gui/accessibility/accessible_controls.h"
#include "gui/accessibility/accessible_focus.h"
#include "gui/skin/list_box.h"
#include "platform/accessible_events.h"

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

void Tell(QAccessibleInterface* iface, QAccessible::Event type) {
  if (!iface || !iface->isValid()) return;  // gone with its widget: Qt said so then
  QAccessibleEvent event(iface, type);
  QAccessible::updateAccessibility(&event);
}

void TellState(QAccessibleInterface* iface, QAccessible::State changed) {
  QAccessibleStateChangeEvent event(iface, changed);
  QAccessible::updateAccessibility(&event);
}

std::string Utf8Of(const QString& text) { return text.toUtf8().toStdString(); }

// A new name or description, with its text where Qt's bridge leaves it out.
void TellText(DrawnControlInterface* c, QAccessible::Event type, const QString& text) {
  const unsigned id = QAccessible::uniqueId(c);
  const bool sent = type == QAccessible::NameChanged ? platform::TellNameText(id, Utf8Of(text))
                                                     : platform::TellDescriptionText(id, Utf8Of(text));
  if (!sent) Tell(c, type);
}

// A list of a menu or a drop-down, not one that stays on its page.
ListBox* OpenList(QAccessibleInterface* iface) {
  auto* list = iface ? qobject_cast<ListBox*>(iface->object()) : nullptr;
  return list && !HasFocusMark(list) && list->isVisible() ? list : nullptr;
}

}  // namespace

// Once the event loop has ended, the models the controls read are taken
// down while events are still handled (a device closing): no check then.
ChangeNotifier::ChangeNotifier(QWidget* host) : QObject(host), host_(host) {
  host->installEventFilter(this);
  if (QCoreApplication* app = QCoreApplication::instance())
    connect(app, &QCoreApplication::aboutToQuit, this, [this] { ended_ = true; });
}

// A change repaints the host; lists come and go as its children. The check
// waits for the event loop: a list is shown after it is added.
bool ChangeNotifier::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched != host_ || pending_ || !QAccessible::isActive()) return false;
  if (type != QEvent::Paint && type != QEvent::ChildAdded && type != QEvent::ChildRemoved) return false;
  Schedule();
  return false;
}

void ChangeNotifier::Schedule() {
  if (pending_ || !QAccessible::isActive()) return;
  pending_ = true;
  QTimer::singleShot(0, this, [this] { Check(); });
}

void ChangeNotifier::CheckSoon(QWidget* host) {
  if (auto* notifier = host ? host->findChild<ChangeNotifier*>(QString(), Qt::FindDirectChildrenOnly) : nullptr)
    notifier->Schedule();
}

void ChangeNotifier::Announce(QWidget* host, const QString& text) {
  auto* notifier = host ? host->findChild<ChangeNotifier*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
  auto* iface = dynamic_cast<AccessibleHost*>(QAccessible::queryAccessibleInterface(host));
  if (!notifier || notifier->ended_ || !iface || !host->isVisible() || text.isEmpty() || !QAccessible::isActive())
    return;
  const std::vector<DrawnControlInterface*> shown = iface->Shown();
  const auto marked = std::find_if(shown.begin(), shown.end(), [](auto* c) { return c->state().focused; });
  if (marked == shown.end()) return;  // a click: the screen reader's focus is elsewhere
  if (platform::Announce(QAccessible::uniqueId(*marked), Utf8Of(text)))
    notifier->announced_ = QAccessible::uniqueId(*marked);
}

void ChangeNotifier::Check() {
  pending_ = false;
  if (ended_ || !host_ || !host_->isVisible()) return;
  CheckControls();
  CheckChildren();
}

// Each child that came or went is told as created or destroyed: that is
// what AT-SPI carries to screen readers as a change of the children (Qt's
// reorder notice reaches them malformed).
void ChangeNotifier::CheckChildren() {
  std::vector<QAccessible::Id> now = ChildrenOf(host_.data());
  if (now == children_) return;
  const bool first = children_.empty();
  std::swap(children_, now);
  if (first) return;  // the window's first showing is news enough
  // A closed menu may be gone already, its interface with it: its id says it.
  bool listClosed = false;
  for (QAccessible::Id id : now) {
    if (Holds(children_, id)) continue;
    listClosed = listClosed || Holds(lists_, id);
    std::erase(lists_, id);
    Tell(QAccessible::accessibleInterface(id), QAccessible::ObjectDestroyed);
  }
  ListBox* opened = nullptr;
  for (QAccessible::Id id : children_) {
    if (Holds(now, id)) continue;
    QAccessibleInterface* came = QAccessible::accessibleInterface(id);
    Tell(came, QAccessible::ObjectCreated);
    if (ListBox* list = OpenList(came)) {
      opened = list;
      lists_.push_back(id);
    }
  }
  // An open list is where the keys go, as a drop-down's popup takes the
  // focus, starting on the entry in use; its box has it back when it closes.
  if (opened) {
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(opened);
    Tell(list, QAccessible::Focus);
    if (opened->currentRow() >= 0) Tell(list->child(opened->currentRow()), QAccessible::Focus);
    FollowList(opened);
  } else if (listClosed) {
    TellFocus(host_.data());
  }
}

// The entry the arrows (or the pointer) reach is the focus within the list.
void ChangeNotifier::FollowList(QObject* object) {
  auto* list = static_cast<ListBox*>(object);
  if (list->property("corvalineFollowed").toBool()) return;
  list->setProperty("corvalineFollowed", true);
  connect(list, &QListWidget::currentRowChanged, this, [list](int row) {
    if (!list->isVisible() || row < 0) return;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(list);
    QAccessibleInterface* entry = iface ? iface->child(row) : nullptr;
    Tell(entry, QAccessible::Focus);
    Tell(entry, QAccessible::Selection);
  });
}

void ChangeNotifier::CheckControls() {
  auto* host = dynamic_cast<AccessibleHost*>(QAccessible::queryAccessibleInterface(host_.data()));
  if (!host) return;
  std::vector<Said> now;
  for (DrawnControlInterface* c : host->Shown()) {
    Said said{QAccessible::uniqueId(c), c->state(), c->Control().level ? c->Control().level() : 0, c->Name(),
              c->text(QAccessible::Description)};
    const auto before = std::find_if(said_.begin(), said_.end(), [&](const Said& s) { return s.id == said.id; });
    now.push_back(said);
    if (before == said_.end()) continue;  // came with its page: read with it
    if (before->state.checked != said.state.checked) {
      QAccessible::State changed;
      changed.checked = true;
      TellState(c, changed);
    }
    if (before->state.selected != said.state.selected) Tell(c, QAccessible::Selection);
    if (before->state.disabled != said.state.disabled) {
      QAccessible::State changed;
      changed.disabled = true;
      TellState(c, changed);
    }
    if (before->state.expanded != said.state.expanded &&
        !platform::TellExpanded(QAccessible::uniqueId(c), said.state.expanded)) {
      QAccessible::State changed;
      changed.expanded = true;
      TellState(c, changed);
    }
    if (before->level != said.level) {
      QAccessibleValueChangeEvent event(c, said.level);
      QAccessible::updateAccessibility(&event);
    }
    // A slider's name carries its level as text ("level 4, 1000 DPI").
    if (before->name != said.name) {
      if (c->role() == QAccessible::ComboBox) {
        QAccessibleValueChangeEvent event(c, said.name);  // a combo box's name and selection, as Qt's
        QAccessible::updateAccessibility(&event);
      } else {
        TellText(c, QAccessible::NameChanged, said.name);
      }
    }
    if (before->description != said.description && said.id != announced_)
      TellText(c, QAccessible::DescriptionChanged, said.description);
  }
  said_ = std::move(now);
  announced_ = 0;
}

}  // namespace corvaline::gui
