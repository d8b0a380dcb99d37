#include "gui/dialogs/qt_sub_dialog_runner.h"

#include "core/settings/data_paths.h"
#include "gui/dialogs/combo_dialog.h"
#include "gui/dialogs/fire_key_dialog.h"
#include "gui/dialogs/media_dialog.h"
#include "gui/dialogs/single_dialog.h"
#include "gui/dialogs/windows_dialog.h"
#include "gui/dialogs/macro_dialog.h"

namespace corvaline::gui {

namespace {

template <typename Dialog>
auto RunModal(Dialog& dialog) -> std::optional<std::decay_t<decltype(dialog.Result())>> {
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Result();
}

}  // namespace

QtSubDialogRunner::QtSubDialogRunner(QWidget* parent) : parent_(parent) {}

std::optional<WindowsKeyResult> QtSubDialogRunner::RunWindowsDialog() {
  CWindowsDialog dialog(parent_);
  return RunModal(dialog);
}

std::optional<MediaKeyResult> QtSubDialogRunner::RunMediaDialog() {
  CMediaDialog dialog(parent_);
  return RunModal(dialog);
}

std::optional<FireKeyResult> QtSubDialogRunner::RunFireKeyDialog() {
  CFireKeyDialog dialog(parent_);
  return RunModal(dialog);
}

std::optional<SingleKeyResult> QtSubDialogRunner::RunSingleKeyDialog() {
  CSingleDialog dialog(parent_);
  return RunModal(dialog);
}

std::optional<ComboKeyResult> QtSubDialogRunner::RunComboKeyDialog() {
  CComboDialog dialog(parent_);
  return RunModal(dialog);
}

std::optional<MacroKeyResult> QtSubDialogRunner::RunMacroDialog() {
  CMacroDialog dialog(DataFiles().recordIni, parent_);
  return RunModal(dialog);
}

}  // namespace corvaline::gui
