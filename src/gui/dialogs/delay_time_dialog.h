// CDelayTimeDialog: the macro editor's delay step. It hands back the number
// typed (0 when empty) and the field's text; the editor limits the range.
#pragma once

#include <optional>

#include "core/buttons/dialog_results.h"
#include "gui/skin/skinned_dialog.h"

class QLineEdit;

namespace corvaline::gui {

class CDelayTimeDialog : public SkinnedDialog {
  Q_OBJECT
 public:
  explicit CDelayTimeDialog(QWidget* parent = nullptr);

  const DelayResult& Result() const { return result_; }
  QLineEdit* DelayField() const { return field_; }  // id 600

  QString Name() const override;

 protected:
  void AddOwnControls(std::vector<DialogControl>& controls) override;
  void DrawOwnTexts(QPainter& painter) override;

 private:
  QLineEdit* field_ = nullptr;
  DelayResult result_;
};

// The macro editor's delay prompt (gui/macros/delay_prompt.h): runs the
// dialog modally over `parent`; nullopt when it was cancelled.
std::optional<DelayResult> RunDelayTimeDialog(QWidget* parent);

}  // namespace corvaline::gui
