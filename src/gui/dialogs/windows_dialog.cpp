#include "gui/dialogs/windows_dialog.h"

#include "core/buttons/key_tables.h"
#include "core/i18n/ui_strings.h"
#include "gui/skin/skin_files.h"

namespace corvaline::gui {

namespace {

QStringList WindowsEntries() {
  QStringList entries;
  for (int i = 0; i < kWindowsKeyCount; ++i)
    entries << Utf8(WindowsEntryText(i, CurrentLanguage()));
  return entries;
}

}  // namespace

CWindowsDialog::CWindowsDialog(QWidget* parent)
    : ChoiceDialog(parent,
                   {kWindowsKeyPng, kWindowsBackgroundFailed, 532, 533, RectLTRB(42, 146, 151, 306), MainText::FnWindows},
                   WindowsEntries()) {}

}  // namespace corvaline::gui
