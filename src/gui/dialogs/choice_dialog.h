// The frame of the multimedia and Windows-key dialogs: one fixed list of
// captions behind a display; the chosen position and caption are the result.
#pragma once

#include <QStringList>

#include <memory>
#include <string>

#include "core/i18n/ui_strings.h"
#include "gui/skin/skinned_dialog.h"

class QLabel;

namespace corvaline {
class DropDown;
}

namespace corvaline::gui {

struct ChoiceLayout {
  std::string_view background;
  std::string_view failureCaption;
  int displayId;
  int listId;
  QRect listRect;
  MainText name;  // of the box: the function the dialog sets
};

class ChoiceDialog : public SkinnedDialog {
  Q_OBJECT
 public:
  ChoiceDialog(QWidget* parent, const ChoiceLayout& layout, QStringList entries);
  ~ChoiceDialog() override;

  // Position 0 and the first caption until an entry is chosen.
  int Position() const { return position_; }
  const std::string& Caption() const { return caption_; }
  QLabel* Display() const { return display_; }
  DropDown* List() const { return list_.get(); }
  QString Name() const override { return Utf8(UiText(name_, Language())); }

 protected:
  void AddOwnControls(std::vector<DialogControl>& controls) override;

 private:
  int position_ = 0;
  std::string caption_;
  QLabel* display_ = nullptr;
  std::unique_ptr<DropDown> list_;
  MainText name_;
};

}  // namespace corvaline::gui
