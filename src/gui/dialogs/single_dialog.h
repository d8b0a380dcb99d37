// CSingleDialog: gives a button one keyboard key by pressing it. Every key
// event while the dialog is open is captured, the last one wins, and Enter
// and Escape are keys like any other: only OK, Cancel and the close box end
// the dialog.
#pragma once

#include "core/buttons/dialog_results.h"
#include "gui/dialogs/dialog_key_capture.h"
#include "gui/skin/skinned_dialog.h"

class QLabel;

namespace corvaline::gui {

class CSingleDialog : public SkinnedDialog {
  Q_OBJECT
 public:
  explicit CSingleDialog(QWidget* parent = nullptr);

  const SingleKeyResult& Result() const { return result_; }
  // The key display (id 502).
  QLabel* KeyDisplay() const { return display_; }

  QString Name() const override;

 protected:
  void AddOwnControls(std::vector<DialogControl>& controls) override;
  void DrawOwnTexts(QPainter& painter) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void OnKeyCaptured(const std::string& name);

  QLabel* display_ = nullptr;
  DialogKeyCapture capture_;
  SingleKeyResult result_;
};

}  // namespace corvaline::gui
