// The skinned-dialog frame and the two key-capture dialogs, driven by clicks
// and by key events carrying the keyboard's xkb keycodes.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "dialog_test_support.h"
#include "gui/dialogs/combo_dialog.h"
#include "gui/dialogs/single_dialog.h"
#include "gui/skin/skin_image.h"

namespace corvaline::gui {
namespace {

using namespace corvaline::test;

class KeyDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteDialogSkin(skin); }
  ScratchSkin skin;
  RecordingSink sink;
};

// The frame's only timer is the rest timer: the rest has happened once it
// has fired, however late a loaded machine runs it.
void RestOn(QWidget& dialog, QPoint point) {
  QTest::mouseMove(&dialog, point);
  const auto resting = [&] {
    for (const QTimer* timer : dialog.findChildren<QTimer*>())
      if (timer->isActive()) return true;
    return false;
  };
  ASSERT_TRUE(QTest::qWaitFor([&] { return !resting(); }, 5000))
      << "the pointer's rest at (" << point.x() << ", " << point.y() << ") never ended";
}

TEST_F(KeyDialogTest, FrameTakesTheBackgroundSizeAndLightsItsButtonsAfterARest) {
  CSingleDialog dialog;
  dialog.show();
  EXPECT_EQ(dialog.size(), QSize(380, 290));
  EXPECT_EQ(dialog.windowTitle(), "CSingleDialog");  // for scripts; the frame shows none
  RestOn(dialog, kDialogOkButton.center());
  EXPECT_TRUE(dialog.IsHighlighted(kDialogHoverOk));
  EXPECT_EQ(dialog.Canvas().pixelColor(kDialogOkButton.topLeft() + QPoint(2, 2)), QColor(0, 200, 0));
  RestOn(dialog, kDialogCancelButton.center() + QPoint(10, 0));
  EXPECT_FALSE(dialog.IsHighlighted(kDialogHoverOk));
  EXPECT_TRUE(dialog.IsHighlighted(kDialogHoverCancel));
  RestOn(dialog, kDialogCloseBox.center());
  EXPECT_TRUE(dialog.IsHighlighted(kDialogHoverClose));
  EXPECT_TRUE(dialog.IsHighlighted(kDialogHoverCancel));  // another group: stays lit
  QTest::mouseMove(&dialog, QPoint(20, 200));  // off every button: all normal at once
  EXPECT_FALSE(dialog.IsHighlighted(kDialogHoverCancel));
  EXPECT_FALSE(dialog.IsHighlighted(kDialogHoverClose));
  EXPECT_EQ(dialog.Canvas().pixelColor(kDialogCloseBox.topLeft() + QPoint(2, 2)), QColor(200, 0, 0));
  EXPECT_TRUE(sink.messages.empty());
}

TEST_F(KeyDialogTest, OkCancelAndTheCloseBoxEndTheDialog) {
  const std::pair<QPoint, int> clicks[] = {{kDialogOkButton.center(), QDialog::Accepted},
                                           {kDialogCancelButton.center(), QDialog::Rejected},
                                           {kDialogCloseBox.center(), QDialog::Rejected}};
  for (const auto& [point, outcome] : clicks) {
    CComboDialog dialog;
    dialog.show();
    QTest::mouseClick(&dialog, Qt::LeftButton, {}, point);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), outcome);
  }
}

TEST_F(KeyDialogTest, MissingBackgroundIsToldAndTheDialogCanStillBeEnded) {
  QFile::remove(skin.Path(kSingleKeyPng));
  CSingleDialog dialog;
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_EQ(sink.messages[0].text, "error");
  EXPECT_EQ(sink.messages[0].caption, "Single Key Dialog Load background image failed!!!");
  EXPECT_FALSE(dialog.Built());
  dialog.show();
  EXPECT_EQ(dialog.size(), kDialogFallbackSize);
  PressKey(&dialog, Qt::Key_Escape, kXkbEscape);  // still never cancels
  EXPECT_TRUE(dialog.isVisible());
  QTest::mouseClick(&dialog, Qt::LeftButton, {}, kDialogOkButton.center());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Result().keyName, "");
}

TEST_F(KeyDialogTest, MissingButtonPictureIsToldOnceNotAtEveryRest) {
  QFile::remove(skin.Path(kButtonOverPng));
  CSingleDialog dialog;
  dialog.show();
  for (int i = 0; i < 3; ++i) {
    RestOn(dialog, kDialogOkButton.center());
    QTest::mouseMove(&dialog, QPoint(20, 200));
  }
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_EQ(sink.messages[0].text, "LoadPng---Load image failed.");
}

TEST_F(KeyDialogTest, SingleKeyCapturesEnterEscapeAndWindowsWithoutClosing) {
  CSingleDialog dialog;
  dialog.show();
  PressKey(&dialog, Qt::Key_Return, kXkbEnter);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.KeyDisplay()->text(), "Enter");
  PressKey(&dialog, Qt::Key_Escape, kXkbEscape);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.Result().keyName, "Esc");
  PressKey(&dialog, Qt::Key_Meta, kXkbLeftWindows);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.Result().keyName, "Left Windows");
  QTest::mouseClick(&dialog, Qt::LeftButton, {}, kDialogOkButton.center());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Result().keyName, "Left Windows");
}

TEST_F(KeyDialogTest, SingleKeyLastEventWinsReleasesAndRepeatsIncluded) {
  CSingleDialog dialog;
  dialog.show();
  SendKey(&dialog, QEvent::KeyPress, Qt::Key_Shift, kXkbLeftShift);
  SendKey(&dialog, QEvent::KeyPress, Qt::Key_A, kXkbA);
  SendKey(&dialog, QEvent::KeyPress, Qt::Key_A, kXkbA, true);  // auto-repeat
  SendKey(&dialog, QEvent::KeyRelease, Qt::Key_Shift, kXkbLeftShift);
  EXPECT_EQ(dialog.Result().keyName, "Shift");
  SendKey(&dialog, QEvent::KeyRelease, Qt::Key_A, kXkbA);
  EXPECT_EQ(dialog.Result().keyName, "A");
  EXPECT_EQ(dialog.KeyDisplay()->text(), "A");
}

TEST_F(KeyDialogTest, SingleKeyOkAtOnceGivesTheEmptyNameAndCaptureEndsWithTheDialog) {
  auto dialog = std::make_unique<CSingleDialog>();
  dialog->show();
  QTest::mouseClick(dialog.get(), Qt::LeftButton, {}, kDialogOkButton.center());
  EXPECT_EQ(dialog->Result().keyName, "");
  // Once closed the keyboard is the program's again.
  QWidget other;
  other.show();
  PressKey(&other, Qt::Key_A, kXkbA);
  EXPECT_EQ(dialog->Result().keyName, "");
}

class ComboTest : public KeyDialogTest {
 protected:
  void SetUp() override {
    KeyDialogTest::SetUp();
    owned = std::make_unique<CComboDialog>();
  }
  void Focus(QLineEdit* field) {
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(dialog().focusWidget(), field);
  }
  void OpenModifiers() { QTest::mouseClick(&dialog(), Qt::LeftButton, {}, QPoint(60, 77)); }
  CComboDialog& dialog() { return *owned; }
  std::unique_ptr<CComboDialog> owned;
};

TEST_F(ComboTest, ModifierAndFirstKeyWithoutSecond) {
  dialog().show();
  OpenModifiers();
  QTest::mouseDClick(&dialog(), Qt::LeftButton, {}, QPoint(60, 77));  // one click, not two
  ASSERT_TRUE(dialog().ModifierList()->IsOpen());
  EXPECT_EQ(dialog().ModifierList()->List()->count(), 8);
  EXPECT_EQ(dialog().ModifierList()->List()->geometry(), RectLTRB(49, 87, 132, 227));
  ChooseEntry(*dialog().ModifierList(), 6);
  EXPECT_FALSE(dialog().ModifierList()->IsOpen());
  EXPECT_EQ(dialog().ModifierDisplay()->text(), "Right Alt");
  Focus(dialog().KeyField(1));
  PressKey(dialog().KeyField(1), Qt::Key_Delete, kXkbDelete);
  EXPECT_EQ(dialog().KeyField(1)->text(), "Delete");  // the name, not what the key types
  EXPECT_EQ(dialog().KeyField(2)->text(), "");
  PressKey(dialog().KeyField(1), Qt::Key_Return, kXkbEnter);  // captured into the field, no OK
  EXPECT_TRUE(dialog().isVisible());
  EXPECT_EQ(dialog().KeyField(1)->text(), "Enter");
  PressKey(dialog().KeyField(1), Qt::Key_Delete, kXkbDelete);
  QTest::mouseClick(&dialog(), Qt::LeftButton, {}, kDialogOkButton.center());
  EXPECT_EQ(dialog().result(), QDialog::Accepted);
  EXPECT_EQ(dialog().Result().modifierName, "Right Alt");
  EXPECT_EQ(dialog().Result().modifierPosition, 6);
  EXPECT_EQ(dialog().Result().key1Name, "Delete");
  EXPECT_EQ(dialog().Result().key2Name, "");
}

TEST_F(ComboTest, KeysReachOnlyTheFocusedEnabledField) {
  dialog().show();
  PressKey(&dialog(), Qt::Key_A, kXkbA);  // no field has the focus
  EXPECT_EQ(dialog().Result().key1Name, "");
  Focus(dialog().KeyField(2));
  PressKey(dialog().KeyField(2), Qt::Key_D, kXkbD);
  EXPECT_EQ(dialog().Result().key2Name, "D");
  EXPECT_EQ(dialog().Result().key1Name, "");
  OpenModifiers();
  EXPECT_FALSE(dialog().KeyField(1)->isEnabled());
  EXPECT_FALSE(dialog().KeyField(2)->isEnabled());
  PressKey(&dialog(), Qt::Key_A, kXkbA);  // ignored while the list is open
  EXPECT_EQ(dialog().Result().key2Name, "D");
  EXPECT_EQ(dialog().KeyField(2)->text(), "D");
  PressKey(&dialog(), Qt::Key_Escape, kXkbEscape);  // never cancels
  EXPECT_TRUE(dialog().isVisible());
}

TEST_F(ComboTest, ClickElsewhereOrOnTheBoxClosesTheListWithoutAChoice) {
  dialog().show();
  OpenModifiers();
  QTest::mouseClick(&dialog(), Qt::LeftButton, {}, QPoint(300, 150));
  EXPECT_FALSE(dialog().ModifierList()->IsOpen());
  EXPECT_TRUE(dialog().KeyField(1)->isEnabled());
  EXPECT_EQ(dialog().ModifierDisplay()->text(), "");
  OpenModifiers();
  OpenModifiers();  // the box again closes it
  EXPECT_FALSE(dialog().ModifierList()->IsOpen());
  EXPECT_TRUE(dialog().KeyField(2)->isEnabled());
  EXPECT_EQ(dialog().Result().modifierPosition, -1);
  EXPECT_TRUE(dialog().isVisible());
}

}  // namespace
}  // namespace corvaline::gui
