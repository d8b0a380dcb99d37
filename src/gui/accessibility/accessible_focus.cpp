#include "gui/accessibility/accessible_focus.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>

#include "gui/accessibility/accessible_notify.h"
#include "gui/skin/focus_mark_paint.h"
#include "gui/skin/list_box.h"

namespace corvaline::gui {

namespace {

std::vector<FocusRing*>& Rings() {
  static std::vector<FocusRing*> rings;
  return rings;
}

// An outline 2 pixels wide around the marked control, each pixel in the one
// of the skin's two focus colours that stands out more from what it covers.
// It takes no clicks.
class MarkOutline : public QWidget {
 public:
  explicit MarkOutline(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("focusMark"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
  }

 protected:
  void paintEvent(QPaintEvent*) override { PaintFocusMark(*this); }
};

bool IsShown(const DrawnControl& c) {
  if (c.field && !c.field()) return false;
  return !c.shown || c.shown();
}

// Tab passes over what cannot be used now, as it passes over disabled widgets.
bool Reachable(const DrawnControl& c) {
  return IsShown(c) && (!c.enabled || c.enabled()) && (!c.field || c.field()->isEnabled());
}

QRect MarkedRect(const DrawnControl& c) { return c.field ? c.field()->geometry() : c.rect; }

bool Watched(QObject* child) { return qobject_cast<ListBox*>(child) || qobject_cast<QLineEdit*>(child); }

}  // namespace

FocusRing::FocusRing(QWidget* host, std::vector<DrawnControl> controls, HostClick click)
    : QObject(host), host_(host), controls_(std::move(controls)), click_(std::move(click)) {
  mark_ = new MarkOutline(host);
  mark_->hide();
  host->installEventFilter(this);
  // A dialog gets its ring when it shows, after its children came.
  for (QObject* child : host->children()) {
    if (Watched(child)) child->installEventFilter(this);
  }
  Rings().push_back(this);
}

FocusRing::~FocusRing() {
  auto& rings = Rings();
  rings.erase(std::remove(rings.begin(), rings.end(), this), rings.end());
}

const DrawnControl* FocusRing::Marked() const {
  if (index_ < 0 || !IsShown(controls_[static_cast<size_t>(index_)])) return nullptr;
  return &controls_[static_cast<size_t>(index_)];
}

bool HasFocusMark(const QWidget* host, const QRect& rect) {
  for (const FocusRing* ring : Rings()) {
    const DrawnControl* marked = ring->Marked();
    if (ring->parent() == host && marked && marked->rect == rect) return true;
  }
  return false;
}

void TellFocus(const QWidget* host) {
  for (FocusRing* ring : Rings()) {
    if (ring->parent() == host && ring->Marked()) ring->NotifyFocus();
  }
}

bool HasFocusMark(const QWidget* widget) {
  for (const FocusRing* ring : Rings()) {
    const DrawnControl* marked = ring->Marked();
    if (marked && marked->field && marked->field() == widget) return true;
  }
  return false;
}

// On the host and its lists only, never the application: the window's own
// filter (Enter, Esc, a recording holding the keyboard) comes first.
bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
  if (watched == host_ && event->type() == QEvent::ChildPolished) {
    if (QObject* child = static_cast<QChildEvent*>(event)->child(); Watched(child)) child->installEventFilter(this);
    return false;
  }
  // A page change by the mouse takes the marked control away with its page.
  if (watched == host_ && event->type() == QEvent::Paint && mark_->isVisible() && !Marked()) mark_->hide();
  if (event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (qobject_cast<QLineEdit*>(watched)) return OnFieldKey(watched, key->key(), key->modifiers());
  return OnKey(key->key(), key->modifiers());
}

// In an edit field only Tab leaves it for the ring; every other key is
// typing. A field clicked into is where Tab starts from.
bool FocusRing::OnFieldKey(QObject* field, int key, Qt::KeyboardModifiers modifiers) {
  if (key != Qt::Key_Tab && key != Qt::Key_Backtab) return false;
  for (size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i].field && controls_[i].field() == field) index_ = static_cast<int>(i);
  }
  Move(key == Qt::Key_Backtab || (modifiers & Qt::ShiftModifier) ? -1 : 1);
  return true;
}

bool FocusRing::OnKey(int key, Qt::KeyboardModifiers modifiers) {
  switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      // Leaving a control leaves its open menu too, with nothing chosen.
      DismissOpenLists(host_);
      Move(key == Qt::Key_Backtab || (modifiers & Qt::ShiftModifier) ? -1 : 1);
      return true;
    case Qt::Key_Space:
      Activate();
      return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
      return Arrow(key);
    default:
      return false;
  }
}

void FocusRing::Move(int step) {
  const int count = static_cast<int>(controls_.size());
  int i = index_ < 0 ? (step > 0 ? -1 : 0) : index_;
  for (int tries = 0; tries < count; ++tries) {
    i = (i + step + count) % count;
    if (Reachable(controls_[static_cast<size_t>(i)])) {
      inSubList_ = false;
      Mark(i);
      return;
    }
  }
}

void FocusRing::Mark(int index) {
  index_ = index;
  const DrawnControl* marked = Marked();
  if (!marked) {
    mark_->hide();
    return;
  }
  const int w = kFocusMarkWidth;
  mark_->setGeometry(MarkedRect(*marked).adjusted(-w, -w, w, w));
  mark_->show();
  mark_->raise();
  if (marked->field && !qobject_cast<ListBox*>(marked->field())) {
    marked->field()->setFocus(Qt::TabFocusReason);  // the field tells of its focus itself
    return;
  }
  // Keys go to the host again, not to a field marked before.
  if (QWidget* focus = host_->focusWidget(); focus && focus != host_) host_->setFocus(Qt::TabFocusReason);
  NotifyFocus();
}

void FocusRing::NotifyFocus() {
  if (!QAccessible::isActive() || !host_ || !Marked()) return;
  if (ListBox* list = Marked()->field ? qobject_cast<ListBox*>(Marked()->field()) : nullptr) {
    QAccessibleEvent focus(list, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
    return;
  }
  QAccessibleInterface* hostIface = QAccessible::queryAccessibleInterface(host_.data());
  auto* host = dynamic_cast<AccessibleHost*>(hostIface);
  if (!host) return;
  for (DrawnControlInterface* c : host->Shown()) {
    if (c->Control().rect != Marked()->rect) continue;
    QAccessibleEvent focus(c, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
    QAccessible::State changed;
    changed.focused = true;
    QAccessibleStateChangeEvent state(c, changed);
    QAccessible::updateAccessibility(&state);
  }
}

void FocusRing::Click(QPoint at) {
  // After the key's own event, like the accessible actions: a click may run
  // a modal dialog.
  QTimer::singleShot(0, host_.data(), [host = host_, click = click_, at] {
    click(at);
    ChangeNotifier::CheckSoon(host);
  });
}

bool FocusRing::IsEntryField(const QWidget* widget) const {
  for (const DrawnControl& c : controls_) {
    if (c.field && c.field() == widget) return true;
  }
  return false;
}

// An open menu or drop-down first; else a lasting list (the macro editor's)
// when the mark is on it.
ListBox* FocusRing::ActiveList() const {
  if (!host_) return nullptr;
  std::vector<ListBox*> open;
  for (ListBox* list : host_->findChildren<ListBox*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (list->isVisible() && !IsEntryField(list)) open.push_back(list);
  }
  if (open.empty()) {
    const DrawnControl* marked = Marked();
    return marked && marked->field ? qobject_cast<ListBox*>(marked->field()) : nullptr;
  }
  // A sub-menu beside a list is the one opened later.
  return inSubList_ && open.size() > 1 ? open.back() : open.front();
}

void FocusRing::Activate() {
  if (ListBox* list = ActiveList(); list && list->currentRow() >= 0) {
    const int row = list->currentRow();
    if (IsEntryField(list)) {
      // The arrows chose the entry of a lasting list already: Space is what
      // a double click does (a delay step's Delay Time dialog).
      QTimer::singleShot(0, list, [list = QPointer<ListBox>(list), row] { DoubleClickEntry(list, row); });
      return;
    }
    list->TrackPointer(Centre(list->EntryRect(row)));
    QTimer::singleShot(0, list, [list = QPointer<ListBox>(list), row] {
      if (list) emit list->chosen(row);
    });
    inSubList_ = false;
    return;
  }
  const DrawnControl* marked = Marked();
  if (!marked) return;
  if (!marked->field)
    Click(Centre(marked->rect));
  else if (!qobject_cast<ListBox*>(marked->field()))
    marked->field()->setFocus(Qt::TabFocusReason);
}

bool FocusRing::ArrowInList(ListBox* list, int key) {
  if (key == Qt::Key_Right && !inSubList_) {
    inSubList_ = true;
    if (ActiveList() == list) inSubList_ = false;  // no sub-menu open
    else if (ListBox* sub = ActiveList(); sub && sub->currentRow() < 0) sub->TrackPointer(Centre(sub->EntryRect(0)));
    return true;
  }
  if (key == Qt::Key_Left) {
    inSubList_ = false;
    return true;
  }
  if (list->count() == 0) return true;
  const int step = key == Qt::Key_Down ? 1 : -1;
  const int row = std::clamp(list->currentRow() + step, 0, list->count() - 1);
  list->scrollToItem(list->item(row));
  list->TrackPointer(Centre(list->EntryRect(row)));
  return true;
}

bool FocusRing::Arrow(int key) {
  if (ListBox* list = ActiveList()) return ArrowInList(list, key);
  const DrawnControl* marked = Marked();
  if (!marked) return false;
  const int step = key == Qt::Key_Right || key == Qt::Key_Up ? 1 : -1;
  if (marked->level) {
    const int v = marked->level() + step;
    if (v >= marked->minimum && v <= marked->maximum) Click(marked->levelPoint(v));
    return true;
  }
  if (marked->role == QAccessible::RadioButton) {
    // The neighbouring stop of the same row, chosen as a click would.
    const int next = index_ + step;
    if (next < 0 || next >= static_cast<int>(controls_.size())) return true;
    const DrawnControl& other = controls_[static_cast<size_t>(next)];
    if (other.role != QAccessible::RadioButton) return true;
    Mark(next);
    Click(Centre(other.rect));
    return true;
  }
  return false;
}

}  // namespace corvaline::gui
