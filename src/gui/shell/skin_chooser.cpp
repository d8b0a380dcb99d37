#include "gui/shell/skin_chooser.h"

#include <string>

#include "core/settings/data_paths.h"
#include "core/settings/item_texts.h"
#include "core/settings/utf8_paths.h"
#include "core/system/captions.h"
#include "gui/skin/message_sink.h"
#include "gui/shell/main_window.h"
#include "gui/shell/shell.h"
#include "gui/skin/child_colours.h"
#include "gui/skin/skin_state.h"

namespace corvaline::gui {

void InstallSkinChooser(Shell& shell, SkinColourChooser chooser) {
  shell.SetSkinChooser([&shell, chooser] {
    CSkinsDialog dialog(QString::fromStdString(Utf8FromPath(DataFiles().skinsFolder)), &shell.Window(),
                        chooser);
    if (dialog.exec() == QDialog::Accepted) ApplySkinChoice(shell, dialog.Choice());
  });
}

void ApplySkinChoice(Shell& shell, const SkinChoice& choice) {
  SetSkinFolder(choice.folder);
  LoadSkinColours(choice.folder);
  SetSkinName(choice.name);
  SetTextColour(choice.colour);
  const auto red = static_cast<std::uint8_t>(choice.colour.red());
  const auto green = static_cast<std::uint8_t>(choice.colour.green());
  const auto blue = static_cast<std::uint8_t>(choice.colour.blue());
  const std::string name = choice.name.toStdString();
  // The switch has happened on screen; the user learns when it will not
  // survive the next start.
  if (!SaveSkinChoice(DataFiles().strIni, red, green, blue, name))
    ShowMessage(kStrIniNotWritten, kAppTitle);
  ItemTexts& items = shell.Items();
  items.red = std::to_string(red);
  items.green = std::to_string(green);
  items.blue = std::to_string(blue);
  items.skinPath = name;
  shell.RecomposeCurrentPage();
  shell.PresentWindow();
}

}  // namespace corvaline::gui
