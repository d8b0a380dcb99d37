#include "gui/dialogs/single_dialog.h"

#include <QLabel>
#include <QPainter>

#include "core/i18n/ui_strings.h"
#include "gui/skin/skin_files.h"

namespace corvaline::gui {

namespace {
constexpr QRect kKeyDisplay = RectLTRB(73, 128, 151, 144);
constexpr QRect kPrompt = RectLTRB(23, 108, 201, 124);
}  // namespace

CSingleDialog::CSingleDialog(QWidget* parent)
    : SkinnedDialog(parent, kSingleKeyPng, kSingleBackgroundFailed, DialogKeys::Captured),
      capture_([this](const std::string& name) { OnKeyCaptured(name); }) {
  if (!Built()) return;
  display_ = MakeDisplay(kKeyDisplay, Qt::AlignHCenter, QString());
  display_->setObjectName(QStringLiteral("key502"));
}

void CSingleDialog::DrawOwnTexts(QPainter& painter) {
  DrawSkinText(painter, Utf8(UiText(SingleKeyText::Prompt, Language())), kPrompt, DialogFont(),
               kCaptionAlign, Qt::white);
}

void CSingleDialog::showEvent(QShowEvent* event) {
  SkinnedDialog::showEvent(event);
  if (Built()) capture_.Start();
}

void CSingleDialog::hideEvent(QHideEvent* event) {
  capture_.Stop();
  SkinnedDialog::hideEvent(event);
}

void CSingleDialog::OnKeyCaptured(const std::string& name) {
  result_.keyName = name;
  SetDisplayText(*display_, QString::fromStdString(name));
}

}  // namespace corvaline::gui
