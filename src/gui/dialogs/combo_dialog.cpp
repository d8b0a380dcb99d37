#include "gui/dialogs/combo_dialog.h"

#include <QLabel>
#include <QLineEdit>

#include "core/buttons/key_tables.h"
#include "core/i18n/accessible_texts.h"
#include "core/i18n/ui_strings.h"
#include "gui/skin/drop_down.h"
#include "gui/skin/skin_files.h"

namespace corvaline::gui {

namespace {
constexpr int kModifierListId = 515;
constexpr QRect kModifierDisplay = RectLTRB(49, 69, 117, 85);
constexpr QRect kModifierBox = RectLTRB(49, 69, 132, 85);
constexpr QRect kModifierList = RectLTRB(49, 87, 132, 227);
constexpr QRect kKeyField1 = RectLTRB(50, 120, 131, 134);
constexpr QRect kKeyField2 = RectLTRB(50, 170, 131, 184);

QStringList ModifierNames() {
  QStringList names;
  for (const KeyNameEntry& entry : ModifierTable()) names << Utf8(entry.name);
  return names;
}

// A field that shows the captured name: clicked into for the focus, never
// typed into (an input method could otherwise put text there).
QLineEdit* AsKeyField(QLineEdit* edit, const char* name) {
  edit->setObjectName(QLatin1String(name));
  edit->setReadOnly(true);
  edit->setFocusPolicy(Qt::ClickFocus);
  edit->setContextMenuPolicy(Qt::NoContextMenu);
  return edit;
}

}  // namespace

CComboDialog::CComboDialog(QWidget* parent)
    : SkinnedDialog(parent, kComboKeyPng, kComboBackgroundFailed, DialogKeys::Captured),
      capture_([this](const std::string& name) { OnKeyCaptured(name); }) {
  if (!Built()) return;
  modifierDisplay_ = MakeDisplay(kModifierDisplay, Qt::AlignHCenter, QString());
  modifierDisplay_->setObjectName(QStringLiteral("modifier512"));
  key1_ = AsKeyField(MakeEdit(kKeyField1, false, QString()), "key516");
  key2_ = AsKeyField(MakeEdit(kKeyField2, false, QString()), "key517");
  modifiers_ = std::make_unique<DropDown>(this, kModifierListId, kModifierBox, kModifierList,
                                          DialogFont());
  modifiers_->entries = ModifierNames;
  modifiers_->openChanged = [this](bool open) {
    key1_->setEnabled(!open);
    key2_->setEnabled(!open);
    if (open) setFocus(Qt::OtherFocusReason);
  };
  modifiers_->chosen = [this](int row, const QString& text) {
    result_.modifierName = text.toStdString();
    result_.modifierPosition = row;
    SetDisplayText(*modifierDisplay_, text);
  };
  AddDropDown(modifiers_.get());
}

CComboDialog::~CComboDialog() = default;

QString CComboDialog::Name() const { return Utf8(UiText(MainText::FnComboKey, Language())); }

void CComboDialog::AddOwnControls(std::vector<DialogControl>& controls) {
  controls.push_back(DropDownControl(*modifiers_, modifierDisplay_, UiName(AccessibleText::Modifier)));
  for (int number = 1; number <= 2; ++number)
    controls.push_back(FieldControl(KeyField(number), [number] {
      return Utf8(NumberedText(AccessibleText::ComboKey, number, CurrentLanguage()));
    }));
}

void CComboDialog::showEvent(QShowEvent* event) {
  SkinnedDialog::showEvent(event);
  if (Built()) capture_.Start();
}

void CComboDialog::hideEvent(QHideEvent* event) {
  capture_.Stop();
  SkinnedDialog::hideEvent(event);
}

bool CComboDialog::Focused(QLineEdit* field) const {
  return field->isEnabled() && focusWidget() == field;
}

void CComboDialog::OnKeyCaptured(const std::string& name) {
  const QString text = QString::fromStdString(name);
  if (Focused(key1_)) {
    result_.key1Name = name;
    key1_->setText(text);
  } else if (Focused(key2_)) {
    result_.key2Name = name;
    key2_->setText(text);
  }
}

}  // namespace corvaline::gui
