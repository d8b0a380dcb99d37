// CMacroDialog: gives a button one of the macros of record.ini and one of
// three repeat modes. The list shows the macros in file order, so a list
// position is the macro's number - 1, the order of the mouse's macro blocks.
#pragma once

#include <filesystem>
#include <memory>

#include "core/buttons/dialog_results.h"
#include "gui/skin/skinned_dialog.h"

class QLabel;

namespace corvaline {
class DropDown;
}

namespace corvaline::gui {

inline constexpr int kRepeatModeCount = 3;
// Radio boxes of the repeat modes 1..3 (index mode - 1).
QRect RepeatModeBox(int mode);

class CMacroDialog : public SkinnedDialog {
  Q_OBJECT
 public:
  CMacroDialog(std::filesystem::path recordIni, QWidget* parent = nullptr);
  ~CMacroDialog() override;

  // repeatMode is the ticked box, 1..3 (the button stores it minus 1).
  const MacroKeyResult& Result() const { return result_; }
  QLabel* NameDisplay() const { return nameDisplay_; }  // id 592
  DropDown* MacroList() const { return macros_.get(); }  // id 593

  QString Name() const override;

 protected:
  void DrawOwnTexts(QPainter& painter) override;
  void AddOwnControls(std::vector<DialogControl>& controls) override;

 private:
  void DrawModeBox(int mode);

  std::filesystem::path recordIni_;
  QLabel* nameDisplay_ = nullptr;
  std::unique_ptr<DropDown> macros_;
  MacroKeyResult result_;
};

}  // namespace corvaline::gui
