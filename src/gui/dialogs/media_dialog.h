// CMediaDialog: one of the seven multimedia functions.
#pragma once

#include "core/buttons/dialog_results.h"
#include "gui/dialogs/choice_dialog.h"

namespace corvaline::gui {

class CMediaDialog : public ChoiceDialog {
  Q_OBJECT
 public:
  explicit CMediaDialog(QWidget* parent = nullptr);
  MediaKeyResult Result() const { return {Position(), Caption()}; }
};

}  // namespace corvaline::gui
