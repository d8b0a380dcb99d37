#include "gui/dialogs/choice_dialog.h"

#include <QLabel>

#include "gui/skin/drop_down.h"

namespace corvaline::gui {

namespace {
constexpr QRect kDisplay = RectLTRB(42, 128, 136, 144);
constexpr QRect kBox = RectLTRB(42, 128, 151, 144);
}  // namespace

ChoiceDialog::ChoiceDialog(QWidget* parent, const ChoiceLayout& layout, QStringList entries)
    : SkinnedDialog(parent, layout.background, layout.failureCaption, DialogKeys::EndDialog),
      caption_(entries.isEmpty() ? std::string() : entries.front().toStdString()),
      name_(layout.name) {
  if (!Built()) return;
  display_ = MakeDisplay(kDisplay, Qt::AlignLeft, Utf8(caption_));
  display_->setObjectName(QStringLiteral("choice%1").arg(layout.displayId));
  list_ = std::make_unique<DropDown>(this, layout.listId, kBox, layout.listRect, DialogFont());
  list_->entries = [entries] { return entries; };
  list_->current = [this] { return position_; };
  list_->chosen = [this](int row, const QString& text) {
    position_ = row;
    caption_ = text.toStdString();
    SetDisplayText(*display_, text);
  };
  AddDropDown(list_.get());
}

ChoiceDialog::~ChoiceDialog() = default;

void ChoiceDialog::AddOwnControls(std::vector<DialogControl>& controls) {
  controls.push_back(DropDownControl(*list_, display_, UiName(name_)));
}

}  // namespace corvaline::gui
