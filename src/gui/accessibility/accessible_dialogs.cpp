#include "gui/accessibility/accessible_dialogs.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>

#include "gui/accessibility/accessible_controls.h"
#include "gui/accessibility/accessible_focus.h"
#include "gui/accessibility/accessible_notify.h"
#include "gui/skin/list_box.h"
#include "gui/skin/skin_text.h"
#include "gui/skin/skinned_dialog.h"

namespace corvaline::gui {

namespace {

// In reading order, as the dialog lists them.
std::vector<DrawnControl> DialogControls(SkinnedDialog* dialog) { return FromView(dialog->Controls()); }

// A field is named by its entry in its window's list as it shows (and as it
// takes the focus), whichever way the focus comes to it.
void NameField(QObject* object) {
  auto* field = qobject_cast<QWidget*>(object);
  if (!field || !field->parentWidget() || !(qobject_cast<QLineEdit*>(field) || qobject_cast<ListBox*>(field)))
    return;
  if (auto* host = dynamic_cast<AccessibleHost*>(QAccessible::queryAccessibleInterface(field->parentWidget())))
    host->NameFields();
}

// Gives each sub-dialog its focus mark and its tree notices when it first
// shows.
class DialogWatcher : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show || event->type() == QEvent::FocusIn) NameField(watched);
    if (event->type() != QEvent::Show) return false;
    auto* dialog = qobject_cast<SkinnedDialog*>(watched);
    if (!dialog || dialog->findChild<ChangeNotifier*>(QString(), Qt::FindDirectChildrenOnly)) return false;
    new ChangeNotifier(dialog);
    // Dialogs that take every key as a key name keep them all.
    if (!dialog->CapturesKeys())
      new FocusRing(dialog, DialogControls(dialog), [dialog](QPoint p) { dialog->ClickAt(p); });
    return false;
  }
};

}  // namespace

QAccessibleInterface* MakeAccessibleDialog(QObject* object) {
  auto* dialog = qobject_cast<SkinnedDialog*>(object);
  if (!dialog) return nullptr;
  // The displays only show what the drawn boxes and fields say already; the
  // focus mark is no control.
  auto* host = new AccessibleHost(dialog, QAccessible::Dialog, DialogControls(dialog),
                                  [dialog](QPoint p) { dialog->ClickAt(p); }, [](QWidget* w) {
                                    return qobject_cast<QLabel*>(w) || w->objectName() == QLatin1String("focusMark");
                                  });
  host->SetName([dialog] { return dialog->Name(); });
  return host;
}

QString DialogListName(QObject* object) {
  auto* dialog = qobject_cast<SkinnedDialog*>(object);
  if (!dialog) return {};
  for (const DrawnControl& c : DialogControls(dialog)) {
    if (c.role == QAccessible::ComboBox) return c.name();
  }
  return {};
}

void WatchDialogs() { qApp->installEventFilter(new DialogWatcher(qApp)); }

}  // namespace corvaline::gui
