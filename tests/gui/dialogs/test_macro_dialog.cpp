// The macro assignment dialog: macros listed in record.ini's order, the
// repeat modes with exactly one ticked, and the results on OK.
#include <gtest/gtest.h>

#include <QLabel>
#include <QScrollBar>
#include <QWheelEvent>

#include <fstream>

#include "dialog_test_support.h"
#include "gui/dialogs/macro_dialog.h"

namespace corvaline::gui {
namespace {

using namespace corvaline::test;

class MacroDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteDialogSkin(skin); }
  std::filesystem::path RecordIni(std::initializer_list<const char*> names) {
    const std::filesystem::path path = std::filesystem::path(dir.path().toStdString()) / "record.ini";
    std::ofstream out(path);
    for (const char* name : names) out << "[" << name << "]\nItemCount=0\n";
    return path;
  }
  QColor PaneAt(const CMacroDialog& dialog, int mode) const {
    return dialog.Canvas().pixelColor(RepeatModeBox(mode).topLeft() + QPoint(4, 4));
  }
  ScratchSkin skin;
  RecordingSink sink;
  QTemporaryDir dir;
};

TEST_F(MacroDialogTest, OkAtOnceGivesTheFirstPositionModeOneAndNoName) {
  CMacroDialog dialog(RecordIni({"Zeta", "Alpha"}));
  dialog.show();
  EXPECT_EQ(PaneAt(dialog, 1), QColor(255, 255, 255));
  EXPECT_EQ(PaneAt(dialog, 2), QColor(90, 90, 90));
  QTest::keyClick(&dialog, Qt::Key_Return);
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Result().macroIndex, 0);
  EXPECT_EQ(dialog.Result().repeatMode, 1);
  EXPECT_EQ(dialog.Result().macroName, "");
}

TEST_F(MacroDialogTest, ThirdNameInFileOrderAndTheThirdRepeatMode) {
  CMacroDialog dialog(RecordIni({"Zeta", "Alpha", "Mid", "Beta"}));
  dialog.show();
  dialog.ClickAt(QPoint(140, 136));
  ASSERT_TRUE(dialog.MacroList()->IsOpen());
  ASSERT_EQ(dialog.MacroList()->List()->count(), 4);
  ChooseEntry(*dialog.MacroList(), 2);
  EXPECT_EQ(dialog.NameDisplay()->text(), "Mid");
  QTest::mouseClick(&dialog, Qt::LeftButton, {}, RepeatModeBox(3).center());
  EXPECT_EQ(PaneAt(dialog, 3), QColor(255, 255, 255));
  EXPECT_EQ(PaneAt(dialog, 1), QColor(90, 90, 90));
  QTest::mouseClick(&dialog, Qt::LeftButton, {}, RepeatModeBox(3).center());  // stays ticked
  EXPECT_EQ(PaneAt(dialog, 3), QColor(255, 255, 255));
  QTest::mouseClick(&dialog, Qt::LeftButton, {}, kDialogOkButton.center());
  EXPECT_EQ(dialog.Result().macroIndex, 2);
  EXPECT_EQ(dialog.Result().macroName, "Mid");
  EXPECT_EQ(dialog.Result().repeatMode, 3);  // stored as 2
}

TEST_F(MacroDialogTest, WheelScrollsTheListAndMissingFileGivesAnEmptyList) {
  CMacroDialog dialog(RecordIni({"m1", "m2", "m3", "m4", "m5", "m6", "m7", "m8", "m9", "m10",
                                 "m11", "m12"}));
  dialog.show();
  dialog.ClickAt(QPoint(60, 136));
  QCoreApplication::processEvents();
  QWheelEvent wheel(QPointF(300, 230), QPointF(300, 230), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&dialog, &wheel);
  EXPECT_EQ(dialog.MacroList()->List()->verticalScrollBar()->value(), 3);
  dialog.ClickAt(QPoint(300, 230));  // a click elsewhere closes it, nothing chosen
  EXPECT_FALSE(dialog.MacroList()->IsOpen());
  EXPECT_EQ(dialog.Result().macroName, "");

  CMacroDialog empty(std::filesystem::path(dir.path().toStdString()) / "missing.ini");
  empty.show();
  empty.ClickAt(QPoint(60, 136));
  ASSERT_TRUE(empty.MacroList()->IsOpen());
  EXPECT_EQ(empty.MacroList()->List()->count(), 0);
  empty.ClickAt(kDialogCancelButton.center());
  EXPECT_EQ(empty.result(), QDialog::Rejected);
}

}  // namespace
}  // namespace corvaline::gui
