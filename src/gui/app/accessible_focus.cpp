#include "gui/app/accessible_focus.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>

#include "gui/ui/list_box.h"

namespace corvaline::gui {

namespace {

std::vector<FocusRing*>& Rings() {
  static std::vector<FocusRing*> rings;
  return rings;
}

QPoint Centre(const QRect& r) { return QPoint(r.left() + r.width() / 2, r.top() + r.height() / 2); }

// An outline around the marked control: two lines, light over dark, so it
// shows on every skin. It takes no clicks.
class MarkOutline : public QWidget {
 public:
  explicit MarkOutline(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("focusMark"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setPen(QPen(Qt::white, 1, Qt::DotLine));
    p.drawRect(rect().adjusted(1, 1, -2, -2));
  }
};

bool IsShown(const DrawnControl& c) { return !c.shown || c.shown(); }

}  // namespace

FocusRing::FocusRing(QWidget* host, std::vector<DrawnControl> controls, HostClick click)
    : QObject(host), host_(host), controls_(std::move(controls)), click_(std::move(click)) {
  mark_ = new MarkOutline(host);
  mark_->hide();
  host->installEventFilter(this);
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

// On the host and its lists only, never the application: the window's own
// filter (Enter, Esc, a recording holding the keyboard) comes first.
bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
  if (watched == host_ && event->type() == QEvent::ChildPolished) {
    if (auto* list = qobject_cast<ListBox*>(static_cast<QChildEvent*>(event)->child())) list->installEventFilter(this);
    return false;
  }
  // A page change by the mouse takes the marked control away with its page.
  if (watched == host_ && event->type() == QEvent::Paint && mark_->isVisible() && !Marked()) mark_->hide();
  if (event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  return OnKey(key->key(), key->modifiers());
}

bool FocusRing::OnKey(int key, Qt::KeyboardModifiers modifiers) {
  switch (key) {
    case Qt::Key_Tab:
      Move(modifiers & Qt::ShiftModifier ? -1 : 1);
      return true;
    case Qt::Key_Backtab:
      Move(-1);
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
    if (IsShown(controls_[static_cast<size_t>(i)])) {
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
  mark_->setGeometry(marked->rect.adjusted(-2, -2, 2, 2));
  mark_->show();
  mark_->raise();
  NotifyFocus();
}

void FocusRing::NotifyFocus() {
  if (!QAccessible::isActive() || !host_) return;
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
  QTimer::singleShot(0, host_.data(), [click = click_, at] { click(at); });
}

ListBox* FocusRing::ActiveList() const {
  if (!host_) return nullptr;
  std::vector<ListBox*> open;
  for (ListBox* list : host_->findChildren<ListBox*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (list->isVisible()) open.push_back(list);
  }
  if (open.empty()) return nullptr;
  // A sub-menu beside a list is the one opened later.
  return inSubList_ && open.size() > 1 ? open.back() : open.front();
}

void FocusRing::Activate() {
  if (ListBox* list = ActiveList(); list && list->currentRow() >= 0) {
    const int row = list->currentRow();
    list->TrackPointer(Centre(list->EntryRect(row)));
    QTimer::singleShot(0, list, [list = QPointer<ListBox>(list), row] {
      if (list) emit list->chosen(row);
    });
    inSubList_ = false;
    return;
  }
  if (const DrawnControl* marked = Marked()) Click(Centre(marked->rect));
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
  const int step = key == Qt::Key_Down ? 1 : -1;
  const int row = std::clamp(list->currentRow() + step, 0, list->count() - 1);
  list->TrackPointer(Centre(list->EntryRect(row)));
  list->scrollToItem(list->item(row));
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
