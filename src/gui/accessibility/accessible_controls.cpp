#include "gui/accessibility/accessible_controls.h"

#include <algorithm>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWindow>

#include "core/i18n/accessible_texts.h"
#include "gui/accessibility/accessible_focus.h"
#include "gui/accessibility/accessible_notify.h"
#include "gui/skin/list_box.h"
#include "gui/skin/skin_text.h"

namespace corvaline::gui {

namespace {

QRect ToScreen(const QWidget* widget, const QRect& r) {
  return QRect(widget->mapToGlobal(r.topLeft()), r.size());
}

}  // namespace

DrawnControl DrawnButton(const QRect& rect, std::function<QString()> name) {
  DrawnControl c;
  c.role = QAccessible::Button;
  c.rect = rect;
  c.name = std::move(name);
  return c;
}

DrawnControl FromView(const ViewControl& v, std::function<bool()> shown) {
  static constexpr QAccessible::Role kRoles[] = {
      QAccessible::Button,   QAccessible::RadioButton, QAccessible::CheckBox,
      QAccessible::Slider,   QAccessible::ComboBox,    QAccessible::PageTab,
      QAccessible::Link,     QAccessible::EditableText, QAccessible::List};
  DrawnControl c;
  c.role = kRoles[static_cast<int>(v.role)];
  c.rect = ToQRect(v.rect);
  c.name = v.name;
  c.value = v.value;
  c.description = v.description;
  c.checked = v.checked;
  c.enabled = v.enabled;
  c.expanded = v.expanded;
  c.level = v.level;
  c.minimum = v.minimum;
  c.maximum = v.maximum;
  if (v.step) c.levelPoint = [step = v.step](int level) { return ToQRect(step(level)).center(); };
  c.field = v.field;
  c.shown = std::move(shown);
  return c;
}

std::vector<DrawnControl> FromView(const std::vector<ViewControl>& controls, const std::function<bool()>& shown) {
  std::vector<DrawnControl> out;
  out.reserve(controls.size());
  for (const ViewControl& c : controls) out.push_back(FromView(c, shown));
  return out;
}

std::function<QWidget*()> ChildField(QWidget* host, const QString& objectName) {
  QPointer<QWidget> owner(host);
  return [owner, objectName]() -> QWidget* {
    if (!owner) return nullptr;
    QWidget* field = owner->findChild<QWidget*>(objectName, Qt::FindDirectChildrenOnly);
    return field && field->isVisible() ? field : nullptr;
  };
}

// ---- Drawn controls --------------------------------------------------------

DrawnControlInterface::DrawnControlInterface(QWidget* host, DrawnControl control, HostClick click)
    : host_(host), control_(std::move(control)), click_(std::move(click)) {}

bool DrawnControlInterface::IsShown() const { return !control_.shown || control_.shown(); }

void DrawnControlInterface::Press() const {
  if (!host_) return;
  const QPoint at = Centre(control_.rect);
  QTimer::singleShot(0, host_.data(), [host = host_, click = click_, at] {
    click(at);
    ChangeNotifier::CheckSoon(host);
  });
}

QWindow* DrawnControlInterface::window() const {
  return host_ ? host_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* DrawnControlInterface::parent() const {
  return host_ ? QAccessible::queryAccessibleInterface(host_.data()) : nullptr;
}

// A drop-down or a slider whose value is more than its position says it in
// its name: a screen reader speaks a focused control's name, and speaks it
// again when it changes.
QString DrawnControlInterface::Name() const {
  const QString name = control_.name ? control_.name() : QString();
  const QString value = text(QAccessible::Value);
  const bool carries = control_.role == QAccessible::ComboBox || control_.role == QAccessible::Slider;
  if (!carries || value.isEmpty() || name.contains(value) ||
      (control_.level && value == QString::number(control_.level())))
    return name;
  return Utf8(FilledText(AccessibleText::NameValue, name.toStdString(), value.toStdString(), CurrentLanguage()));
}

QString DrawnControlInterface::text(QAccessible::Text t) const {
  switch (t) {
    case QAccessible::Name: return Name();
    case QAccessible::Value: return control_.value ? control_.value() : QString();
    case QAccessible::Description: return control_.description ? control_.description() : QString();
    default: return {};
  }
}

QRect DrawnControlInterface::rect() const {
  return host_ ? ToScreen(host_.data(), control_.rect) : QRect();
}

QAccessible::State DrawnControlInterface::state() const {
  QAccessible::State s;
  if (!host_ || !host_->isVisible() || !IsShown()) {
    s.invisible = true;
    return s;
  }
  s.focusable = true;
  s.focused = HasFocusMark(host_.data(), control_.rect);
  s.disabled = control_.enabled && !control_.enabled();
  if (control_.checked) {
    if (const std::optional<bool> checked = control_.checked()) {
      // A page tab is selected, as a tab bar's tab is, not checked.
      const bool tab = control_.role == QAccessible::PageTab;
      s.checkable = !tab;
      s.checked = !tab && *checked;
      s.selectable = tab;
      s.selected = tab && *checked;
    }
  }
  if (control_.expanded) {
    s.expandable = true;
    s.expanded = control_.expanded();
    s.collapsed = !s.expanded;
  }
  return s;
}

void* DrawnControlInterface::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface*>(this);
  if (type == QAccessible::ValueInterface && control_.level)
    return static_cast<QAccessibleValueInterface*>(this);
  return nullptr;
}

QStringList DrawnControlInterface::actionNames() const {
  if (control_.level) return {increaseAction(), decreaseAction()};
  if (control_.role == QAccessible::CheckBox) return {toggleAction()};
  if (control_.role == QAccessible::ComboBox) return {showMenuAction()};
  return {pressAction()};
}

void DrawnControlInterface::doAction(const QString& name) {
  if (control_.level) {
    const int step = name == increaseAction() ? 1 : name == decreaseAction() ? -1 : 0;
    if (step != 0) setCurrentValue(control_.level() + step);
    return;
  }
  if (actionNames().contains(name) || name == pressAction()) Press();
}

QVariant DrawnControlInterface::currentValue() const {
  return control_.level ? control_.level() : 0;
}

void DrawnControlInterface::setCurrentValue(const QVariant& value) {
  if (!control_.level || !host_) return;
  const int v = value.toInt();
  if (v < control_.minimum || v > control_.maximum) return;
  const QPoint at = control_.levelPoint(v);
  QTimer::singleShot(0, host_.data(), [click = click_, at] { click(at); });
}

// ---- Hosts -----------------------------------------------------------------

AccessibleHost::AccessibleHost(QWidget* host, QAccessible::Role role, std::vector<DrawnControl> controls,
                               HostClick click, std::function<bool(QWidget*)> hidden)
    : QAccessibleWidget(host, role), hidden_(std::move(hidden)) {
  for (DrawnControl& c : controls) {
    if (c.field) {
      order_.push_back({nullptr, c.field, c.name});
      continue;
    }
    auto* control = new DrawnControlInterface(host, std::move(c), click);
    controls_.push_back(control);
    order_.push_back({control, {}, {}});
    ids_.push_back(QAccessible::registerAccessibleInterface(control));
  }
}

AccessibleHost::~AccessibleHost() {
  for (QAccessible::Id id : ids_) QAccessible::deleteAccessibleInterface(id);
}

std::vector<DrawnControlInterface*> AccessibleHost::Shown() const {
  std::vector<DrawnControlInterface*> shown;
  for (DrawnControlInterface* c : controls_) {
    if (c->IsShown()) shown.push_back(c);
  }
  return shown;
}

void AccessibleHost::NameFields() const {
  for (const Entry& entry : order_) {
    QWidget* field = entry.field && entry.name ? entry.field() : nullptr;
    if (!field) continue;
    const QString name = entry.name();
    if (field->accessibleName() != name) field->setAccessibleName(name);
  }
}

std::vector<QAccessibleInterface*> AccessibleHost::WidgetChildren() const {
  std::vector<QAccessibleInterface*> children;
  const int count = QAccessibleWidget::childCount();
  for (int i = 0; i < count; ++i) {
    QAccessibleInterface* child = QAccessibleWidget::child(i);
    if (!child) continue;
    auto* widget = qobject_cast<QWidget*>(child->object());
    if (widget && (!widget->isVisible() || (hidden_ && hidden_(widget)))) continue;
    children.push_back(child);
  }
  return children;
}

// The drawn controls and the fields in reading order, then the other
// widgets (open lists).
std::vector<QAccessibleInterface*> AccessibleHost::Children() const {
  NameFields();
  std::vector<QAccessibleInterface*> children;
  std::vector<QWidget*> placed;
  for (const Entry& entry : order_) {
    if (entry.drawn) {
      if (entry.drawn->IsShown()) children.push_back(entry.drawn);
    } else if (QWidget* field = entry.field()) {
      placed.push_back(field);
      if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(field)) children.push_back(iface);
    }
  }
  for (QAccessibleInterface* w : WidgetChildren()) {
    if (std::find(placed.begin(), placed.end(), w->object()) == placed.end()) children.push_back(w);
  }
  return children;
}

int AccessibleHost::childCount() const { return static_cast<int>(Children().size()); }

QAccessibleInterface* AccessibleHost::child(int index) const {
  const auto children = Children();
  return index >= 0 && static_cast<size_t>(index) < children.size() ? children[static_cast<size_t>(index)] : nullptr;
}

int AccessibleHost::indexOfChild(const QAccessibleInterface* child) const {
  const auto children = Children();
  const auto at = std::find(children.begin(), children.end(), child);
  return at == children.end() ? -1 : static_cast<int>(at - children.begin());
}

QAccessibleInterface* AccessibleHost::childAt(int x, int y) const {
  // Open lists lie over the drawn controls: they come first.
  for (QAccessibleInterface* w : WidgetChildren()) {
    if (w->rect().contains(x, y)) return w;
  }
  for (DrawnControlInterface* c : Shown()) {
    if (c->rect().contains(x, y)) return c;
  }
  return nullptr;
}

QString AccessibleHost::text(QAccessible::Text t) const {
  if (t == QAccessible::Name) return name_ ? name_() : widget()->windowTitle();
  return QAccessibleWidget::text(t);
}

// ---- Lists -----------------------------------------------------------------

QString ActivateAction() { return QStringLiteral("activate"); }

void DoubleClickEntry(ListBox* list, int row) {
  if (!list || row < 0 || row >= list->count()) return;
  QWidget* viewport = list->viewport();
  const QPoint at = viewport->mapFrom(list, Centre(list->EntryRect(row)));
  QMouseEvent click(QEvent::MouseButtonDblClick, at, viewport->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(viewport, &click);
}

namespace {

class ListEntryInterface : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  ListEntryInterface(ListBox* list, int row) : list_(list), row_(row) {}

  bool isValid() const override { return list_ && row_ < list_->count(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return list_ ? list_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override {
    return list_ ? QAccessible::queryAccessibleInterface(list_.data()) : nullptr;
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name || !isValid()) return {};
    return list_->item(row_)->text();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    return isValid() ? ToScreen(list_.data(), list_->EntryRect(row_)) : QRect();
  }
  QAccessible::Role role() const override { return QAccessible::ListItem; }
  QAccessible::State state() const override {
    QAccessible::State s;
    if (!isValid()) return s;
    s.selectable = true;
    s.focusable = true;
    s.selected = list_->currentRow() == row_;
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
  }
  QStringList actionNames() const override { return {pressAction(), ActivateAction()}; }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }
  // The pointer reaches the entry (a "DPI Switch" entry opens its sub-menu
  // on that), then the click chooses it.
  void doAction(const QString& name) override {
    if (name == ActivateAction() && isValid()) {
      QTimer::singleShot(0, list_.data(), [list = list_, row = row_] { DoubleClickEntry(list, row); });
      return;
    }
    if (name != pressAction() || !isValid()) return;
    QTimer::singleShot(0, list_.data(), [list = list_, row = row_] {
      if (!list || row >= list->count()) return;
      list->TrackPointer(Centre(list->EntryRect(row)));
      list->setCurrentRow(row);
      emit list->chosen(row);
    });
  }

 private:
  QPointer<ListBox> list_;
  int row_;
};

class AccessibleListBox : public QAccessibleWidget {
 public:
  AccessibleListBox(ListBox* list, std::function<QString(const ListBox&)> name)
      : QAccessibleWidget(list, QAccessible::List), name_(std::move(name)) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && name_) return name_(*List());
    return QAccessibleWidget::text(t);
  }
  ~AccessibleListBox() override {
    for (QAccessible::Id id : ids_) QAccessible::deleteAccessibleInterface(id);
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    if (HasFocusMark(List())) s.focused = true;
    return s;
  }

  ListBox* List() const { return static_cast<ListBox*>(widget()); }
  int childCount() const override { return List()->count(); }
  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= List()->count()) return nullptr;
    while (ids_.size() <= static_cast<size_t>(index))
      ids_.push_back(QAccessible::registerAccessibleInterface(
          new ListEntryInterface(List(), static_cast<int>(ids_.size()))));
    return QAccessible::accessibleInterface(ids_[static_cast<size_t>(index)]);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (size_t i = 0; i < ids_.size(); ++i) {
      if (QAccessible::accessibleInterface(ids_[i]) == child) return static_cast<int>(i);
    }
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const int row = List()->RowAt(List()->mapFromGlobal(QPoint(x, y)));
    return row >= 0 ? child(row) : nullptr;
  }

 private:
  mutable std::vector<QAccessible::Id> ids_;
  std::function<QString(const ListBox&)> name_;
};

}  // namespace

QAccessibleInterface* MakeAccessibleListBox(QObject* object, std::function<QString(const ListBox& list)> name) {
  auto* list = qobject_cast<ListBox*>(object);
  return list ? new AccessibleListBox(list, std::move(name)) : nullptr;
}

}  // namespace corvaline::gui
