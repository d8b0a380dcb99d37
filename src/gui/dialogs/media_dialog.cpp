#include "gui/dialogs/media_dialog.h"

#include "core/buttons/key_tables.h"
#include "core/i18n/ui_strings.h"
#include "gui/skin/skin_files.h"

namespace corvaline::gui {

namespace {

QStringList MediaEntries() {
  QStringList entries;
  for (int i = 0; i < kMediaKeyCount; ++i) entries << Utf8(MediaEntryText(i, CurrentLanguage()));
  return entries;
}

}  // namespace

CMediaDialog::CMediaDialog(QWidget* parent)
    : ChoiceDialog(parent, {kMediaKeyPng, kMediaBackgroundFailed, 552, 553, RectLTRB(42, 146, 151, 266), MainText::FnMultimedia},
                   MediaEntries()) {}

}  // namespace corvaline::gui
