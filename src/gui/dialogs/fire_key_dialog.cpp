#include "gui/dialogs/fire_key_dialog.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

#include "core/buttons/key_tables.h"
#include "core/i18n/accessible_texts.h"
#include "core/i18n/ui_strings.h"
#include "gui/skin/drop_down.h"
#include "gui/skin/skin_files.h"

namespace corvaline::gui {

namespace {
constexpr int kKeyListId = 573;
constexpr QRect kFireKeyDisplay = RectLTRB(49, 69, 117, 85);
constexpr QRect kKeyBox = RectLTRB(49, 69, 132, 85);
// Six entries high: a taller list would cover the help texts below the
// fields (the fields themselves are disabled while it is open).
constexpr QRect kKeyList = RectLTRB(49, 87, 132, 87 + 6 * ListBox::kRowHeight + 2 * ListBox::kBorder);
constexpr QRect kSpeedField = RectLTRB(50, 120, 131, 134);
constexpr QRect kTimesField = RectLTRB(50, 170, 131, 184);
constexpr QRect kSpeedLabel = RectLTRB(10, 100, 171, 120);
constexpr QRect kTimesLabel = RectLTRB(10, 150, 171, 170);
constexpr QRect kSpeedHelp = RectLTRB(15, 184, 390, 218);
constexpr QRect kTimesHelp = RectLTRB(15, 218, 390, 250);

QStringList FireKeyNames() {
  QStringList names;
  for (const KeyNameEntry& entry : FireKeyTable()) names << Utf8(entry.name);
  return names;
}

// The help texts are longer than one line: wrapped inside their rectangles.
void DrawHelp(QPainter& painter, const QString& text, const QRect& rect, const QFont& font) {
  DrawSkinText(painter, text, rect, font, kLabelAlign, Qt::white, TextFlow::Wrap);
}

}  // namespace

CFireKeyDialog::CFireKeyDialog(QWidget* parent)
    : SkinnedDialog(parent, kFireKeyPng, kFireBackgroundFailed, DialogKeys::EndDialog) {
  if (!Built()) return;
  keyDisplay_ = MakeDisplay(kFireKeyDisplay, Qt::AlignHCenter,
                            Utf8(UiText(FireKeyText::InitialKey, Language())));
  keyDisplay_->setObjectName(QStringLiteral("key572"));
  speed_ = MakeEdit(kSpeedField, true, QStringLiteral("32"));
  speed_->setObjectName(QStringLiteral("speed574"));
  times_ = MakeEdit(kTimesField, true, QStringLiteral("1"));
  times_->setObjectName(QStringLiteral("times575"));
  speed_->installEventFilter(this);
  connect(times_, &QLineEdit::textChanged, this, &CFireKeyDialog::CheckTimes);

  keys_ = std::make_unique<DropDown>(this, kKeyListId, kKeyBox, kKeyList, DialogFont());
  keys_->entries = FireKeyNames;
  keys_->current = [this] { return result_.position; };
  keys_->openChanged = [this](bool open) {
    speed_->setEnabled(!open);
    times_->setEnabled(!open);
    if (open) setFocus(Qt::OtherFocusReason);
  };
  keys_->chosen = [this](int row, const QString& text) {
    result_.position = row;
    result_.keyName = text.toStdString();
    SetDisplayText(*keyDisplay_, text);
  };
  AddDropDown(keys_.get());
}

CFireKeyDialog::~CFireKeyDialog() = default;

QString CFireKeyDialog::Name() const { return Utf8(UiText(MainText::FnFireKey, Language())); }

void CFireKeyDialog::AddOwnControls(std::vector<DialogControl>& controls) {
  controls.push_back(DropDownControl(*keys_, keyDisplay_, UiName(AccessibleText::FireKey)));
  controls.push_back(FieldControl(speed_, UiName(FireKeyText::SpeedLabel)));
  controls.push_back(FieldControl(times_, UiName(FireKeyText::TimesLabel)));
}

bool CFireKeyDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == speed_ && event->type() == QEvent::FocusOut) CheckSpeed();
  return SkinnedDialog::eventFilter(watched, event);
}

void CFireKeyDialog::CheckSpeed() {
  const FieldCheck check = CheckFireSpeedText(speed_->text().toStdString());
  if (check.replaced) speed_->setText(QString::fromStdString(check.replacementText));
  result_.speed = static_cast<std::uint8_t>(check.value);
}

void CFireKeyDialog::CheckTimes() {
  const FieldCheck check = CheckFireTimesText(times_->text().toStdString());
  if (check.replaced) {
    // The replacement changes the field again; that change passes the check.
    times_->setText(QString::fromStdString(check.replacementText));
    return;
  }
  result_.times = static_cast<std::uint8_t>(check.value);
}

void CFireKeyDialog::TakeFieldValues() {
  // A speed typed just before OK has not left its field yet: it is checked
  // here, so no value outside 5..255 gets through.
  CheckSpeed();
}

void CFireKeyDialog::DrawOwnTexts(QPainter& painter) {
  const UiLanguage lang = Language();
  DrawSkinText(painter, Utf8(UiText(FireKeyText::SpeedLabel, lang)), kSpeedLabel, DialogFont(),
               kCaptionAlign, Qt::white);
  DrawSkinText(painter, Utf8(UiText(FireKeyText::TimesLabel, lang)), kTimesLabel, DialogFont(),
               kCaptionAlign, Qt::white);
  DrawHelp(painter, Utf8(UiText(FireKeyText::SpeedHelp, lang)), kSpeedHelp, DialogFont());
  DrawHelp(painter, Utf8(UiText(FireKeyText::TimesHelp, lang)), kTimesHelp, DialogFont());
}

}  // namespace corvaline::gui
