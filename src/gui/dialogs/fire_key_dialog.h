// CFireKeyDialog: the key of a fire (rapid-repeat) button from a 61-entry
// list, its speed (5..255, checked when the field loses the focus and again
// at OK) and its number of repeats (0..255, checked on every change).
#pragma once

#include <memory>

#include "core/buttons/dialog_results.h"
#include "gui/skin/skinned_dialog.h"

class QLabel;
class QLineEdit;

namespace corvaline {
class DropDown;
}

namespace corvaline::gui {

class CFireKeyDialog : public SkinnedDialog {
  Q_OBJECT
 public:
  explicit CFireKeyDialog(QWidget* parent = nullptr);
  ~CFireKeyDialog() override;

  const FireKeyResult& Result() const { return result_; }
  QLabel* KeyDisplay() const { return keyDisplay_; }   // id 572
  DropDown* KeyList() const { return keys_.get(); }   // id 573
  QLineEdit* SpeedField() const { return speed_; }     // id 574
  QLineEdit* TimesField() const { return times_; }     // id 575

  QString Name() const override;

 protected:
  void AddOwnControls(std::vector<DialogControl>& controls) override;
  void DrawOwnTexts(QPainter& painter) override;
  void TakeFieldValues() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CheckSpeed();
  void CheckTimes();

  QLabel* keyDisplay_ = nullptr;
  QLineEdit* speed_ = nullptr;
  QLineEdit* times_ = nullptr;
  std::unique_ptr<DropDown> keys_;
  FireKeyResult result_;
};

}  // namespace corvaline::gui
