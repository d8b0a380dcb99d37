#include "gui/dialogs/macro_dialog.h"

#include <QLabel>
#include <QPainter>

#include "core/i18n/ui_strings.h"
#include "core/macros/record_store.h"
#include "gui/skin/drop_down.h"
#include "gui/skin/skin_files.h"
#include "gui/skin/skin_scale.h"
#include "gui/skin/skin_state.h"

namespace corvaline::gui {

namespace {
constexpr int kMacroListId = 593;
constexpr QRect kMacroPrompt = RectLTRB(-8, 112, 201, 128);
constexpr QRect kNameDisplay = RectLTRB(42, 128, 136, 144);
constexpr QRect kHeader = RectLTRB(42, 128, 151, 144);
constexpr QRect kList = RectLTRB(42, 146, 151, 286);
constexpr QRect kModeBoxes[kRepeatModeCount] = {
    RectLTRB(220, 78, 236, 94), RectLTRB(220, 128, 236, 144), RectLTRB(220, 178, 236, 194)};
// Each mode's text has the 50 pixels between its neighbours' texts, three
// lines in any language, and stays off the content panel's right edge.
constexpr QRect kModeTexts[kRepeatModeCount] = {
    RectLTRB(240, 62, 366, 110), RectLTRB(240, 112, 366, 160), RectLTRB(240, 162, 366, 210)};
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
    SetDisplayText(*nameDisplay_, text);
  };
  AddDropDown(macros_.get());
}

CMacroDialog::~CMacroDialog() = default;

QString CMacroDialog::Name() const { return Utf8(UiText(MainText::FnMacroKey, Language())); }

void CMacroDialog::AddOwnControls(std::vector<DialogControl>& controls) {
  controls.push_back(DropDownControl(*macros_, nameDisplay_, UiName(MacroDialogText::Prompt)));
  for (int mode = 1; mode <= kRepeatModeCount; ++mode) {
    DialogControl c;
    c.role = DialogControl::Role::RadioButton;
    c.rect = ToPixelRect(kModeBoxes[mode - 1]);
    c.name = UiName(kModeTextIds[mode - 1]);
    c.checked = [this, mode] { return std::optional<bool>(result_.repeatMode == mode); };
    c.draw = [this, mode](QImage&) { DrawModeBox(mode); };
    c.click = [this, mode](int, int, QImage*) {
      if (mode != result_.repeatMode) {
        result_.repeatMode = mode;
        Recompose();
      }
      return true;
    };
    controls.push_back(std::move(c));
  }
}

// One choice of three: radio pictures where the skin has them, its tick
// boxes where it does not (older and users' skins).
void CMacroDialog::DrawModeBox(int mode) {
  const bool on = mode == result_.repeatMode;
  const bool radios = FindSkinImageFor(Canvas(), SkinPath(kRadioPng)) != nullptr;
  DrawDialogImage(radios ? (on ? kRadioOnPng : kRadioPng) : (on ? kPaneTickPng : kPanePng),
                  kModeBoxes[mode - 1].topLeft());
}

void CMacroDialog::DrawOwnTexts(QPainter& painter) {
  const UiLanguage lang = Language();
  DrawSkinText(painter, Utf8(UiText(MacroDialogText::Prompt, lang)), kMacroPrompt, DialogFont(),
               kCaptionAlign, Qt::white);
  for (int i = 0; i < kRepeatModeCount; ++i) {
    DrawSkinText(painter, Utf8(UiText(kModeTextIds[i], lang)), kModeTexts[i], DialogFont(), kLabelAlign,
                 Qt::white, TextFlow::Wrap);
  }
}

}  // namespace corvaline::gui
