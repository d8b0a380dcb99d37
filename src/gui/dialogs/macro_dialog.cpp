#include "gui/dialogs/macro_dialog.h"

#include <algorithm>

#include <QLabel>
#include <QPainter>

#include "core/i18n/ui_strings.h"
#include "core/macros/record_store.h"
#include "gui/skin/drop_down.h"
#include "gui/skin/skin_files.h"

namespace corvaline::gui {

namespace {
constexpr int kMacroListId = 593;
constexpr QRect kPrompt = RectLTRB(-8, 112, 201, 128);
constexpr QRect kNameDisplay = RectLTRB(42, 128, 136, 144);
constexpr QRect kHeader = RectLTRB(42, 128, 151, 144);
constexpr QRect kList = RectLTRB(42, 146, 151, 286);
constexpr QRect kModeBoxes[kRepeatModeCount] = {
    RectLTRB(220, 78, 236, 94), RectLTRB(220, 128, 236, 144), RectLTRB(220, 178, 236, 194)};
constexpr QRect kModeTexts[kRepeatModeCount] = {
    RectLTRB(237, 70, 390, 102), RectLTRB(237, 120, 390, 152), RectLTRB(237, 170, 390, 202)};
constexpr MacroDialogText kModeTextIds[kRepeatModeCount] = {
    MacroDialogText::RepeatCounted, MacroDialogText::RepeatUntilKey,
    MacroDialogText::RepeatWhileHeld};
}  // namespace

QRect RepeatModeBox(int mode) {
  return mode >= 1 && mode <= kRepeatModeCount ? kModeBoxes[mode - 1] : QRect();
}

CMacroDialog::CMacroDialog(std::filesystem::path recordIni, QWidget* parent)
    : SkinnedDialog(parent, kMacroKeyPng, kMacroBackgroundFailed, DialogKeys::EndDialog),
      recordIni_(std::move(recordIni)) {
  if (!Built()) return;
  nameDisplay_ = MakeDisplay(kNameDisplay, Qt::AlignLeft, QString());
  nameDisplay_->setObjectName(QStringLiteral("name592"));
  macros_ = std::make_unique<DropDown>(this, kMacroListId, kHeader, kList, DialogFont());
  // Read at every opening: the editor may have changed the file meanwhile.
  macros_->entries = [this] {
    QStringList names;
    for (const std::string& name : ListMacroNames(recordIni_)) names << QString::fromStdString(name);
    return names;
  };
  macros_->current = [this] { return result_.macroIndex; };
  macros_->chosen = [this](int row, const QString& text) {
    result_.macroIndex = row;
    result_.macroName = text.toStdString();
    nameDisplay_->setText(text);
  };
  AddDropDown(macros_.get());
}

CMacroDialog::~CMacroDialog() = default;

void CMacroDialog::OnClick(QPoint point) {
  for (int mode = 1; mode <= kRepeatModeCount; ++mode) {
    if (!kModeBoxes[mode - 1].contains(point) || mode == result_.repeatMode) continue;
    result_.repeatMode = mode;
    Recompose();
    return;
  }
}

void CMacroDialog::DrawOwnTexts(QPainter& painter) {
  const UiLanguage lang = Language();
  DrawSkinText(painter, Utf8(UiText(MacroDialogText::Prompt, lang)), kPrompt, DialogFont(),
               kCaptionAlign, Qt::white);
  for (int i = 0; i < kRepeatModeCount; ++i) {
    DrawDialogImage(painter, i + 1 == result_.repeatMode ? kPaneTickPng : kPanePng,
                    kModeBoxes[i].topLeft());
    // Not clipped: the longest English mode text takes a third line, which
    // still clears the boxes above and below. Wrapped within the dialog: its
    // rectangle reaches past a background narrower than 390 pixels.
    painter.save();
    painter.setPen(Qt::white);
    constexpr int kFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextDontClip;
    QRect text = kModeTexts[i];
    text.setRight(std::min(text.right(), width() - 1));
    painter.drawText(text, kFlags, Utf8(UiText(kModeTextIds[i], lang)));
    painter.restore();
  }
}

}  // namespace corvaline::gui
