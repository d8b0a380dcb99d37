// CWindowsDialog: one of the eleven Windows functions (applications and
// browser keys).
#pragma once

#include "core/buttons/dialog_results.h"
#include "gui/dialogs/choice_dialog.h"

namespace corvaline::gui {

class CWindowsDialog : public ChoiceDialog {
  Q_OBJECT
 public:
  explicit CWindowsDialog(QWidget* parent = nullptr);
  WindowsKeyResult Result() const { return {Position(), Caption()}; }
};

}  // namespace corvaline::gui
