// The button menus' sub-dialogs as Qt dialogs, each run modally over the
// main window; the macro dialog lists the macros of the program's record.ini.
#pragma once

#include "core/buttons/button_menu.h"

class QWidget;

namespace corvaline::gui {

class QtSubDialogRunner : public corvaline::SubDialogRunner {
 public:
  explicit QtSubDialogRunner(QWidget* parent);

  std::optional<WindowsKeyResult> RunWindowsDialog() override;
  std::optional<MediaKeyResult> RunMediaDialog() override;
  std::optional<FireKeyResult> RunFireKeyDialog() override;
  std::optional<SingleKeyResult> RunSingleKeyDialog() override;
  std::optional<ComboKeyResult> RunComboKeyDialog() override;
  std::optional<MacroKeyResult> RunMacroDialog() override;

 private:
  QWidget* parent_;
};

}  // namespace corvaline::gui
