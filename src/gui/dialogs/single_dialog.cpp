#include "gui/dialogs/single_dialog.h"

#include <QLabel>
#include <QPainter>

#include "core/i18n/ui_strings.h"
#include "gui/skin/skin_files.h"

namespace corvaline::gui {

namespace {
constexpr QRect kSingleKeyDisplay = RectLTRB(73, 128, 151, 144);
constexpr QRect kSinglePrompt = RectLTRB(23, 108, 201, 124);
}  // namespace

CSingleDialog::CSingleDialog(QWidget* parent)
    : SkinnedDialog(parent, kSingleKeyPng, kSingleBackgroundFailed, DialogKeys::Captured),
      capture_([this](const std::string& name) { OnKeyCaptured(name); }) {
  if (!Built()) return;
  display_ = MakeDisplay(kSingleKeyDisplay, Qt::AlignHCenter, QString());
  display_->setObjectName(QStringLiteral("key502"));
}

// The key pressed shows in a display: a read-only field named by its prompt
// whose value and description are the key.
QString CSingleDialog::Name() const { return Utf8(UiText(MainText::FnSingleKey, Language())); }

void CSingleDialog::AddOwnControls(std::vector<DialogControl>& controls) {
  DialogControl key;
  key.role = DialogControl::Role::Edit;
  key.rect = ToPixelRect(display_->geometry());
  key.name = UiName(SingleKeyText::Prompt);
  key.value = [this] { return display_->text(); };
  key.description = key.value;
  controls.push_back(std::move(key));
}

void CSingleDialog::DrawOwnTexts(QPainter& painter) {
  DrawSkinText(painter, Utf8(UiText(SingleKeyText::Prompt, Language())), kSinglePrompt,
               DialogFont(), kCaptionAlign, Qt::white);
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
