// ChooseSkin after the Skins dialog's OK: str.ini, the shell's copy of its
// keys, the process-wide skin and the page composed again from the new skin.
#include <QDir>

#include "core/settings/data_paths.h"
#include "core/settings/ini_file.h"
#include "gui/shell/main_window.h"
#include "gui/shell/skin_chooser.h"
#include "gui/skin/skin_state.h"
#include "shell_fixture.h"

namespace corvaline::gui::testing {
namespace {

class SkinChooserTest : public ShellTest {};

TEST_F(SkinChooserTest, OkStoresTheChoiceAndRecomposesThePageWithTheNewSkin) {
  WriteDataFiles("EN");
  const QString other = dir.path() + "/Skins/Other";
  ASSERT_TRUE(QDir().mkpath(other));
  QImage page(880, 660, QImage::Format_ARGB32);
  page.fill(QColor(200, 0, 0));
  ASSERT_TRUE(page.save(other + "/BasicSet2.png"));
  MakeShell();
  shell->Start();
  shell->OnTrayClicked();
  ASSERT_EQ(shell->CurrentPage(), Page::Basic);
  ASSERT_EQ(shell->Window().Canvas()->pixelColor(400, 400), QColor(0, 0, 200));

  ApplySkinChoice(*shell, {other, "Other", QColor(255, 0, 0)});
  const auto strIni = DataFiles().strIni;
  EXPECT_EQ(IniReadString(strIni, "Skins", "RColor"), "255");
  EXPECT_EQ(IniReadString(strIni, "Skins", "GColor"), "0");
  EXPECT_EQ(IniReadString(strIni, "Skins", "BColor"), "0");
  EXPECT_EQ(IniReadString(strIni, "Skins", "Path"), "Other");
  EXPECT_EQ(shell->Items().skinPath, "Other");
  EXPECT_EQ(shell->Items().green, "0");
  EXPECT_EQ(SkinFolder(), other);
  EXPECT_EQ(TextColour(), QColor(255, 0, 0));
  EXPECT_EQ(shell->Window().Canvas()->pixelColor(400, 400), QColor(200, 0, 0));
  EXPECT_TRUE(shell->Window().isVisible());
  EXPECT_TRUE(sink.messages.empty());
}

}  // namespace
}  // namespace corvaline::gui::testing
