#include "gui/dialogs/delay_time_dialog.h"

#include <QLineEdit>
#include <QPainter>

#include "core/i18n/accessible_texts.h"
#include "core/i18n/ui_strings.h"
#include "gui/skin/skin_files.h"

namespace corvaline::gui {

namespace {
constexpr QRect kDelayField = RectLTRB(74, 129, 150, 143);
constexpr QRect kDelayPrompt = RectLTRB(14, 89, 210, 109);
constexpr QRect kRangeNote = RectLTRB(14, 109, 210, 129);
}  // namespace

CDelayTimeDialog::CDelayTimeDialog(QWidget* parent)
    : SkinnedDialog(parent, kDelayTimePng, kDelayBackgroundFailed, DialogKeys::EndDialog) {
  if (!Built()) return;
  field_ = MakeEdit(kDelayField, true, QString());
  field_->setObjectName(QStringLiteral("delay600"));
  field_->setFrame(true);
  connect(field_, &QLineEdit::textChanged, this, [this](const QString& text) {
    result_.text = text.toStdString();
    result_.value = DelayValueFromText(result_.text);
  });
  field_->setFocus(Qt::OtherFocusReason);
}

QString CDelayTimeDialog::Name() const { return Utf8(UiText(AccessibleText::DelayTime, Language())); }

void CDelayTimeDialog::AddOwnControls(std::vector<DialogControl>& controls) {
  controls.push_back(FieldControl(field_, UiName(DelayTimeText::Prompt)));
}

void CDelayTimeDialog::DrawOwnTexts(QPainter& painter) {
  DrawSkinText(painter, Utf8(UiText(DelayTimeText::Prompt, Language())), kDelayPrompt, DialogFont(),
               kCaptionAlign, Qt::white);
  DrawSkinText(painter, Utf8(UiText(DelayTimeText::RangeNote, Language())), kRangeNote,
               DialogFont(), kCaptionAlign, Qt::white);
}

std::optional<DelayResult> RunDelayTimeDialog(QWidget* parent) {
  CDelayTimeDialog dialog(parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Result();
}

}  // namespace corvaline::gui
