#include "gui/accessibility/accessible_dialogs.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>

#include "core/i18n/accessible_texts.h"
#include "core/i18n/ui_strings.h"
#include "gui/accessibility/accessible_controls.h"
#include "gui/accessibility/accessible_focus.h"
#include "gui/accessibility/accessible_notify.h"
#include "gui/dialogs/choice_dialog.h"
#include "gui/dialogs/combo_dialog.h"
#include "gui/dialogs/delay_time_dialog.h"
#include "gui/dialogs/fire_key_dialog.h"
#include "gui/dialogs/macro_dialog.h"
#include "gui/dialogs/media_dialog.h"
#include "gui/dialogs/single_dialog.h"
#include "gui/skin/list_box.h"
#include "gui/skin/skin_text.h"
#include "gui/dialogs/skins_dialog.h"

namespace corvaline::gui {

namespace {

// In reading order, as the dialog lists them.
std::vector<DrawnControl> DialogControls(SkinnedDialog* dialog) { return FromView(dialog->Controls()); }

// A sub-dialog is named by the function it sets (its picture has no title).
QString DialogName(const SkinnedDialog* dialog) {
  const UiLanguage lang = CurrentLanguage();
  if (qobject_cast<const CMediaDialog*>(dialog)) return Utf8(UiText(MainText::FnMultimedia, lang));
  if (qobject_cast<const ChoiceDialog*>(dialog)) return Utf8(UiText(MainText::FnWindows, lang));
  if (qobject_cast<const CFireKeyDialog*>(dialog)) return Utf8(UiText(MainText::FnFireKey, lang));
  if (qobject_cast<const CSingleDialog*>(dialog)) return Utf8(UiText(MainText::FnSingleKey, lang));
  if (qobject_cast<const CComboDialog*>(dialog)) return Utf8(UiText(MainText::FnComboKey, lang));
  if (qobject_cast<const CMacroDialog*>(dialog)) return Utf8(UiText(MainText::FnMacroKey, lang));
  if (qobject_cast<const CDelayTimeDialog*>(dialog)) return Utf8(UiText(AccessibleText::DelayTime, lang));
  if (qobject_cast<const CSkinsDialog*>(dialog)) return Utf8(UiText(AccessibleText::Skins, lang));
  return dialog->windowTitle();
}

// A field is named by its entry in its window's list as it shows (and as it
// takes the focus), whichever way the focus comes to it.
void NameField(QObject* object) {
  auto* field = qobject_cast<QWidget*>(object);
  if (!field || !field->parentWidget() || !(qobject_cast<QLineEdit*>(field) || qobject_cast<ListBox*>(field)))
    return;
  if (auto* host = dynamic_cast<AccessibleHost*>(QAccessible::queryAccessibleInterface(field->parentWidget())))
    host->NameFields();
}

// Dialogs that take every key as a key name keep them all.
bool CapturesKeys(const QObject* dialog) {
  return qobject_cast<const CSingleDialog*>(dialog) || qobject_cast<const CComboDialog*>(dialog);
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
    if (!CapturesKeys(dialog))
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
  host->SetName([dialog] { return DialogName(dialog); });
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
