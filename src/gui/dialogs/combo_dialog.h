// CComboDialog: one modifier picked from a list plus up to two keys, each
// captured by pressing it while its field has the focus. While the modifier
// list is open both key fields are disabled, so a key pressed then is lost.
#pragma once

#include <memory>

#include "core/buttons/dialog_results.h"
#include "gui/dialogs/dialog_key_capture.h"
#include "gui/skin/skinned_dialog.h"

class QLabel;
class QLineEdit;

namespace corvaline {
class DropDown;
}

namespace corvaline::gui {

class CComboDialog : public SkinnedDialog {
  Q_OBJECT
 public:
  explicit CComboDialog(QWidget* parent = nullptr);
  ~CComboDialog() override;

  const ComboKeyResult& Result() const { return result_; }
  QLabel* ModifierDisplay() const { return modifierDisplay_; }  // id 512
  QLineEdit* KeyField(int which) const { return which == 1 ? key1_ : key2_; }  // ids 516, 517
  DropDown* ModifierList() const { return modifiers_.get(); }  // id 515

  QString Name() const override;

 protected:
  void AddOwnControls(std::vector<DialogControl>& controls) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void OnKeyCaptured(const std::string& name);
  bool Focused(QLineEdit* field) const;

  QLabel* modifierDisplay_ = nullptr;
  QLineEdit* key1_ = nullptr;
  QLineEdit* key2_ = nullptr;
  std::unique_ptr<DropDown> modifiers_;
  DialogKeyCapture capture_;
  ComboKeyResult result_;
};

}  // namespace corvaline::gui
