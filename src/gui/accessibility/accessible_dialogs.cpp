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
#include "gui/dialogs/media_dialog.h"
#include "gui/dialogs/single_dialog.h"
#include "gui/dialogs/macro_dialog.h"
#include "gui/pages/macro_editor_view.h"
#include "gui/skin/drop_down.h"
#include "gui/skin/skin_text.h"
#include "gui/dialogs/skins_dialog.h"

namespace corvaline::gui {

namespace {

QString LabelText(const QPointer<QLabel>& label) { return label ? label->text() : QString(); }

// A drop-down: a combo box over its box, saying what its display shows.
DrawnControl DropDownBox(DropDown* list, QLabel* display, std::function<QString()> name) {
  DrawnControl box;
  box.role = QAccessible::ComboBox;
  box.rect = list->Box();
  box.name = std::move(name);
  box.value = [display = QPointer<QLabel>(display)] { return LabelText(display); };
  box.expanded = [list] { return list->IsOpen(); };
  return box;
}

DrawnControl Field(QWidget* dialog, const char* objectName) {
  DrawnControl c;
  c.role = QAccessible::EditableText;
  c.field = ChildField(dialog, QLatin1String(objectName));
  return c;
}

void AddChoice(ChoiceDialog* choice, std::vector<DrawnControl>& out) {
  if (!choice->List()) return;
  const bool media = qobject_cast<CMediaDialog*>(choice) != nullptr;
  out.push_back(DropDownBox(choice->List(), choice->Display(), UiName(media ? MainText::FnMultimedia : MainText::FnWindows)));
}

void AddFireKey(CFireKeyDialog* fire, std::vector<DrawnControl>& out) {
  if (!fire->KeyList()) return;
  out.push_back(DropDownBox(fire->KeyList(), fire->KeyDisplay(), UiName(AccessibleText::FireKey)));
  out.push_back(Field(fire, "speed574"));
  out.push_back(Field(fire, "times575"));
}

void AddMacroKey(CMacroDialog* macro, std::vector<DrawnControl>& out) {
  if (!macro->MacroList()) return;
  out.push_back(DropDownBox(macro->MacroList(), macro->NameDisplay(), UiName(MacroDialogText::Prompt)));
  const MacroDialogText modes[kRepeatModeCount] = {MacroDialogText::RepeatCounted, MacroDialogText::RepeatUntilKey,
                                                   MacroDialogText::RepeatWhileHeld};
  for (int mode = 1; mode <= kRepeatModeCount; ++mode) {
    DrawnControl c = DrawnButton(RepeatModeBox(mode), UiName(modes[mode - 1]));
    c.role = QAccessible::RadioButton;
    c.checked = [macro, mode] { return std::optional<bool>(macro->Result().repeatMode == mode); };
    out.push_back(c);
  }
}

// The key pressed shows in a display: a read-only field named by its prompt
// whose description is the key.
void AddSingleKey(CSingleDialog* single, std::vector<DrawnControl>& out) {
  QLabel* display = single->KeyDisplay();
  if (!display) return;
  DrawnControl key = DrawnButton(display->geometry(), UiName(SingleKeyText::Prompt));
  key.role = QAccessible::EditableText;
  key.value = [display = QPointer<QLabel>(display)] { return LabelText(display); };
  key.description = key.value;
  out.push_back(key);
}

void AddComboKey(CComboDialog* combo, std::vector<DrawnControl>& out) {
  if (!combo->ModifierList()) return;
  out.push_back(DropDownBox(combo->ModifierList(), combo->ModifierDisplay(), UiName(AccessibleText::Modifier)));
  out.push_back(Field(combo, "key516"));
  out.push_back(Field(combo, "key517"));
}

void AddSkins(CSkinsDialog* skins, std::vector<DrawnControl>& out) {
  if (!skins->SkinList()) return;
  DrawnControl swatch = DrawnButton(skins->Swatch()->geometry(), UiName(AccessibleText::TextColour));
  swatch.description = [skins] { return skins->Choice().colour.name(QColor::HexRgb).toUpper(); };
  swatch.value = swatch.description;
  out.push_back(swatch);
  out.push_back(DropDownBox(skins->SkinList(), skins->NameDisplay(), UiName(AccessibleText::Skin)));
}

// In reading order: the dialog's own controls, then OK, Cancel and close.
std::vector<DrawnControl> DialogControls(SkinnedDialog* dialog) {
  std::vector<DrawnControl> controls;
  if (auto* choice = qobject_cast<ChoiceDialog*>(dialog)) AddChoice(choice, controls);
  if (auto* fire = qobject_cast<CFireKeyDialog*>(dialog)) AddFireKey(fire, controls);
  if (auto* delay = qobject_cast<CDelayTimeDialog*>(dialog); delay && delay->DelayField())
    controls.push_back(Field(delay, "delay600"));
  if (auto* macro = qobject_cast<CMacroDialog*>(dialog)) AddMacroKey(macro, controls);
  if (auto* single = qobject_cast<CSingleDialog*>(dialog)) AddSingleKey(single, controls);
  if (auto* combo = qobject_cast<CComboDialog*>(dialog)) AddComboKey(combo, controls);
  if (auto* skins = qobject_cast<CSkinsDialog*>(dialog)) AddSkins(skins, controls);
  controls.push_back(DrawnButton(kDialogOkButton, UiName(DialogText::Ok)));
  controls.push_back(DrawnButton(kDialogCancelButton, UiName(DialogText::Cancel)));
  controls.push_back(DrawnButton(kDialogCloseBox, UiName(AccessibleText::DialogClose)));
  return controls;
}

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

// The edit fields carry the texts drawn beside them.
void NameField(QObject* object) {
  auto* edit = qobject_cast<QLineEdit*>(object);
  if (!edit) return;
  const QString name = edit->objectName();
  std::function<QString()> text;
  if (name == QStringLiteral("edit%1").arg(kNameEditId)) text = UiName(MainText::MacroNameLabel);
  if (name == QStringLiteral("edit%1").arg(kLoopEditId)) text = UiName(MainText::LoopTimesLabel);
  if (name == QLatin1String("speed574")) text = UiName(FireKeyText::SpeedLabel);
  if (name == QLatin1String("times575")) text = UiName(FireKeyText::TimesLabel);
  if (name == QLatin1String("delay600")) text = UiName(DelayTimeText::Prompt);
  if (name == QLatin1String("key516") || name == QLatin1String("key517")) {
    const int number = name == QLatin1String("key516") ? 1 : 2;
    text = [number] { return Utf8(NumberedText(AccessibleText::ComboKey, number, CurrentLanguage())); };
  }
  if (text) edit->setAccessibleName(text());
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
    if (event->type() == QEvent::Polish) NameField(watched);
    if (event->type() != QEvent::Show) return false;
    auto* dialog = qobject_cast<SkinnedDialog*>(watched);
    if (!dialog || dialog->findChild<ChangeNotifier*>(QString(), Qt::FindDirectChildrenOnly)) return false;
    // A dialog's fields get their object names after they were polished.
    for (QLineEdit* edit : dialog->findChildren<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly)) NameField(edit);
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
