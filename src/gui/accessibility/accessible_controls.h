// Accessible objects of the controls the program draws from skin pictures.
// A drawn control has no widget of its own: it is a rectangle of its host
// (the main window or a sub-dialog) whose role, name and state come from the
// same models the drawing uses, and whose actions click where the mouse
// would, so they run exactly the host's click dispatch.
#pragma once

#include <QAccessibleInterface>
#include <QAccessibleWidget>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/i18n/ui_language.h"
#include "gui/skin/skin_text.h"
#include "gui/skin/view_controls.h"

namespace corvaline {
class ListBox;
}

namespace corvaline::gui {

// Where a click on the rectangle lands: its middle pixel, rounding down.
inline QPoint Centre(const QRect& r) {
  return QPoint(r.left() + r.width() / 2, r.top() + r.height() / 2);
}

struct DrawnControl {
  QAccessible::Role role = QAccessible::Button;
  QRect rect;  // host client pixels; the action clicks its centre
  std::function<QString()> name;
  std::function<QString()> value;        // combo box text, slider text; null: none
  std::function<QString()> description;  // null: none
  std::function<std::optional<bool>()> checked;  // null or nullopt: not checkable
  std::function<bool()> shown;           // null: always (on the host's current page)
  std::function<bool()> enabled;         // null: always; false: shown dimmed, clicks ignored
  std::function<bool()> expanded;        // null: not expandable
  // A slider: its value, range, and the point whose click sets value v.
  std::function<int()> level;
  int minimum = 0;
  int maximum = 0;
  std::function<QPoint(int)> levelPoint;
  // An edit field or list (a child widget) in the keyboard order: marked,
  // it takes the keyboard; its own accessible object stands for it, named
  // by `name`, so hosts leave such entries out of their drawn children.
  std::function<QWidget*()> field;
};

// A view's control as assistive technology sees it; `shown` null: always.
DrawnControl FromView(const ViewControl& control, std::function<bool()> shown = {});
// All of a view's list, in its order.
std::vector<DrawnControl> FromView(const std::vector<ViewControl>& controls, const std::function<bool()>& shown = {});

// A push button drawn at `rect`.
DrawnControl DrawnButton(const QRect& rect, std::function<QString()> name);

// The child of `host` with this object name, when it is shown.
std::function<QWidget*()> ChildField(QWidget* host, const QString& objectName);

// Clicks a host at a point of its client area, as the left button would.
using HostClick = std::function<void(QPoint)>;

class DrawnControlInterface : public QAccessibleInterface,
                              public QAccessibleActionInterface,
                              public QAccessibleValueInterface {
 public:
  DrawnControlInterface(QWidget* host, DrawnControl control, HostClick click);

  bool IsShown() const;
  const DrawnControl& Control() const { return control_; }
  QString Name() const;
  // The control's click, after the current event: an action may open a
  // modal dialog, and the caller (a screen reader's request) must get its
  // answer first.
  void Press() const;

  // QAccessibleInterface
  bool isValid() const override { return !host_.isNull(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QString text(QAccessible::Text t) const override;
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override;
  QAccessible::Role role() const override { return control_.role; }
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType type) override;

  // QAccessibleActionInterface
  QStringList actionNames() const override;
  void doAction(const QString& name) override;
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

  // QAccessibleValueInterface (sliders)
  QVariant currentValue() const override;
  void setCurrentValue(const QVariant& value) override;
  QVariant maximumValue() const override { return control_.maximum; }
  QVariant minimumValue() const override { return control_.minimum; }
  QVariant minimumStepSize() const override { return 1; }

 private:
  QPointer<QWidget> host_;
  DrawnControl control_;
  HostClick click_;
};

// A window or dialog whose children are its drawn controls (those shown
// now) and fields in reading order, followed by its other child widgets.
// Widgets that only show a drawn control's value are left out (hidden()).
class AccessibleHost : public QAccessibleWidget {
 public:
  // An entry with a `field` stands for that widget child in the order.
  AccessibleHost(QWidget* host, QAccessible::Role role, std::vector<DrawnControl> controls,
                 HostClick click, std::function<bool(QWidget*)> hidden = {});
  ~AccessibleHost() override;

  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QString text(QAccessible::Text t) const override;
  // The name; without one, the window title.
  void SetName(std::function<QString()> name) { name_ = std::move(name); }

  // The drawn controls shown now, in reading order.
  std::vector<DrawnControlInterface*> Shown() const;
  // Gives the fields shown now the names of their entries (a field that
  // takes the focus by a click, not a Tab, is named all the same).
  void NameFields() const;

 private:
  std::vector<QAccessibleInterface*> WidgetChildren() const;
  std::vector<QAccessibleInterface*> Children() const;

  // A drawn control, or a field standing in its place.
  struct Entry {
    DrawnControlInterface* drawn;
    std::function<QWidget*()> field;
    std::function<QString()> name;  // of the field
  };
  std::vector<Entry> order_;
  std::vector<DrawnControlInterface*> controls_;
  std::vector<QAccessible::Id> ids_;
  std::function<bool(QWidget*)> hidden_;
  std::function<QString()> name_;
};

// The lists of the program (function menus, DPI sub-menu, lighting lists,
// dialog drop-downs, the macro editor's): each entry an item whose press is
// the pointer moving onto it and clicking it, and whose "activate" is a
// double click on it (on a delay step: the Delay Time dialog).
// `name` gives a list its name (empty: none).
QString ActivateAction();
void DoubleClickEntry(ListBox* list, int row);
QAccessibleInterface* MakeAccessibleListBox(QObject* list, std::function<QString(const ListBox& list)> name);

}  // namespace corvaline::gui
