// The Skins dialog: folders only, a name found in any letter case, the
// colour from the chooser, and OK/Cancel.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>

#include "dialog_test_support.h"
#include "gui/skin/skin_state.h"
#include "gui/dialogs/skins_dialog.h"

namespace corvaline {
namespace {

using namespace corvaline::test;

class SkinsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteDialogSkin(skin);
    root = skins.path();
    for (const char* name : {"Frost", "Carbon", "Amber"}) ASSERT_TRUE(QDir(root).mkdir(name));
    QFile file(root + "/readme.png");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    SetSkinName(QStringLiteral("Carbon"));
    SetTextColour(QColor(10, 200, 30));
  }
  void TearDown() override { SetSkinName(QString()); }
  ScratchSkin skin;
  RecordingSink sink;
  QTemporaryDir skins;
  QString root;
};

TEST_F(SkinsDialogTest, ListsFoldersOnlyAndFindsAFolderInAnyLetterCase) {
  EXPECT_EQ(ListSkinFolders(root), (QStringList{"Amber", "Carbon", "Frost"}));
  EXPECT_EQ(FindSkinFolder(root, "fROST"), root + "/Frost");
  EXPECT_EQ(FindSkinFolder(root, "readme.png"), QString());
  EXPECT_TRUE(ListSkinFolders(root + "/missing").isEmpty());
}

TEST_F(SkinsDialogTest, ChoosingASkinTakesItsTextColourUntilTheUserPicksOne) {
  for (auto [name, colour] : {std::pair{"Frost", "36,48,66"}, std::pair{"Amber", "1,2,3"}}) {
    QFile ini(root + "/" + name + "/skin.ini");
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(QByteArray("[Skin]\nTextColor=") + colour + "\n");
  }
  CSkinsDialog dialog(root, nullptr, [](QWidget*, QColor initial) -> std::optional<QColor> {
    EXPECT_EQ(initial, QColor(36, 48, 66));
    return QColor(255, 0, 0);
  });
  dialog.show();
  EXPECT_EQ(dialog.NameDisplay()->text(), "Carbon");
  // A skin without skin.ini leaves the colour as it is.
  dialog.ClickAt(QPoint(145, 136));
  ChooseEntry(*dialog.SkinList(), 1);
  EXPECT_EQ(dialog.Choice().colour, QColor(10, 200, 30));
  dialog.ClickAt(QPoint(145, 136));
  ASSERT_TRUE(dialog.SkinList()->IsOpen());
  ASSERT_EQ(dialog.SkinList()->List()->count(), 3);
  ChooseEntry(*dialog.SkinList(), 2);
  EXPECT_EQ(dialog.NameDisplay()->text(), "Frost");
  EXPECT_EQ(dialog.Swatch()->palette().color(QPalette::Window), QColor(36, 48, 66));
  QTest::mouseClick(&dialog, Qt::LeftButton, {}, QPoint(100, 100));  // the swatch
  EXPECT_EQ(dialog.Swatch()->palette().color(QPalette::Window), QColor(255, 0, 0));
  dialog.ClickAt(QPoint(145, 136));
  ChooseEntry(*dialog.SkinList(), 0);  // Amber has a colour too: the user's stays
  EXPECT_EQ(dialog.Swatch()->palette().color(QPalette::Window), QColor(255, 0, 0));
  dialog.ClickAt(QPoint(145, 136));
  ChooseEntry(*dialog.SkinList(), 2);
  QTest::keyClick(&dialog, Qt::Key_Return);
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Choice().name, "Frost");
  EXPECT_EQ(dialog.Choice().folder, root + "/Frost");
  EXPECT_EQ(dialog.Choice().colour, QColor(255, 0, 0));
}

TEST_F(SkinsDialogTest, CancelledChooserKeepsTheColourAndWithoutBackgroundOkKeepsTheSkin) {
  CSkinsDialog dialog(root, nullptr, [](QWidget*, QColor) { return std::optional<QColor>(); });
  dialog.show();
  dialog.ClickAt(QPoint(100, 100));
  EXPECT_EQ(dialog.Choice().colour, QColor(10, 200, 30));
  // The list opens on the skin in use; Esc closes the list only.
  dialog.ClickAt(QPoint(145, 136));
  ASSERT_TRUE(dialog.SkinList()->IsOpen());
  EXPECT_EQ(dialog.SkinList()->List()->currentRow(), 1);  // Carbon
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_FALSE(dialog.SkinList()->IsOpen());
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.Choice().name, "Carbon");
  dialog.ClickAt(kDialogCloseBox.center());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);

  QFile::remove(skin.Path(kSkinsDialogPng));
  CSkinsDialog broken(root);
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_EQ(sink.messages[0].caption, "Skins Dialog Load background image failed!!!");
  broken.show();
  broken.ClickAt(kDialogOkButton.center());
  EXPECT_EQ(broken.result(), QDialog::Accepted);
  EXPECT_EQ(broken.Choice().name, "Carbon");
  EXPECT_EQ(broken.Choice().folder, skin.Folder());
  EXPECT_EQ(broken.Choice().colour, QColor(10, 200, 30));
}

}  // namespace
}  // namespace corvaline
