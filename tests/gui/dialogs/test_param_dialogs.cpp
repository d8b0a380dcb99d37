// The fire-key, multimedia, Windows-key and delay dialogs, and the runner
// that the button menus use, driven by clicks and typing.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include "core/buttons/key_tables.h"
#include "dialog_test_support.h"
#include "gui/dialogs/delay_time_dialog.h"
#include "gui/dialogs/fire_key_dialog.h"
#include "gui/dialogs/media_dialog.h"
#include "gui/dialogs/qt_sub_dialog_runner.h"
#include "gui/dialogs/windows_dialog.h"

namespace corvaline::gui {
namespace {

using namespace corvaline::test;

// A display shows the entry whole, or cut short with an ellipsis where the
// font is wider (never cut through, never another entry).
bool WholeOrCutShort(const QString& shown, const QString& whole) {
  return shown == whole || (shown.size() > 1 && shown.endsWith(QChar(0x2026)) && whole.startsWith(shown.chopped(1)));
}

class ParamDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteDialogSkin(skin); }
  ScratchSkin skin;
  RecordingSink sink;
};

void TypeInto(QLineEdit* field, const char* text) {
  field->setFocus();
  QTest::keyClicks(field, QString::fromLatin1(text));
}

TEST_F(ParamDialogTest, FireKeyOkAtOnceGivesTheDefaults) {
  CFireKeyDialog dialog;
  dialog.show();
  EXPECT_EQ(dialog.KeyDisplay()->text(), "A");
  QTest::mouseClick(&dialog, Qt::LeftButton, {}, kDialogOkButton.center());
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Result().position, 0);
  EXPECT_EQ(dialog.Result().keyName, "A");
  EXPECT_EQ(dialog.Result().speed, 32);
  EXPECT_EQ(dialog.Result().times, 1);
}

TEST_F(ParamDialogTest, FireKeyChecksTimesOnEveryChangeAndSpeedOnFocusLossAndAtOk) {
  CFireKeyDialog dialog;
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  dialog.TimesField()->clear();
  TypeInto(dialog.TimesField(), "30");
  EXPECT_EQ(dialog.TimesField()->text(), "30");
  QTest::keyClick(dialog.TimesField(), Qt::Key_0);  // the third digit makes 300
  EXPECT_EQ(dialog.TimesField()->text(), "1");
  dialog.TimesField()->clear();
  TypeInto(dialog.TimesField(), "0");  // 0 is kept: repeat until released
  EXPECT_EQ(dialog.TimesField()->text(), "0");

  dialog.SpeedField()->clear();
  TypeInto(dialog.SpeedField(), "3");
  EXPECT_EQ(dialog.SpeedField()->text(), "3");
  QTest::mouseClick(dialog.TimesField(), Qt::LeftButton);
  QCoreApplication::processEvents();
  EXPECT_EQ(dialog.SpeedField()->text(), "5");

  dialog.SpeedField()->clear();
  TypeInto(dialog.SpeedField(), "2");
  QTest::keyClick(dialog.SpeedField(), Qt::Key_Return);  // Enter confirms, the speed checked
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Result().speed, 5);
  EXPECT_EQ(dialog.Result().times, 0);
}

TEST_F(ParamDialogTest, FireKeySpeedTypedJustBeforeTheOkButtonIsChecked) {
  CFireKeyDialog dialog;
  dialog.show();
  dialog.SpeedField()->setText("900");  // still in its field
  dialog.ClickAt(kDialogOkButton.center());
  EXPECT_EQ(dialog.Result().speed, 5);
  EXPECT_EQ(dialog.SpeedField()->text(), "5");
}

TEST_F(ParamDialogTest, FireKeyListChoosesB5AndDisablesTheFieldsWhileOpen) {
  CFireKeyDialog dialog;
  dialog.show();
  dialog.ClickAt(QPoint(125, 77));  // the arrow of the key box
  ASSERT_TRUE(dialog.KeyList()->IsOpen());
  EXPECT_EQ(dialog.KeyList()->List()->count(), kFireKeyCount);
  EXPECT_FALSE(dialog.SpeedField()->isEnabled());
  EXPECT_FALSE(dialog.TimesField()->isEnabled());
  // A wheel notch over the dialog scrolls the open list three entries.
  QCoreApplication::processEvents();  // the list lays out its entries
  QWheelEvent wheel(QPointF(300, 150), QPointF(300, 150), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&dialog, &wheel);
  EXPECT_EQ(dialog.KeyList()->List()->verticalScrollBar()->value(), 3);
  ChooseEntry(*dialog.KeyList(), 58);
  EXPECT_FALSE(dialog.KeyList()->IsOpen());
  EXPECT_TRUE(dialog.SpeedField()->isEnabled());
  EXPECT_TRUE(WholeOrCutShort(dialog.KeyDisplay()->text(), "B5-Button")) << dialog.KeyDisplay()->text().toStdString();
  EXPECT_EQ(dialog.Result().position, 58);
  EXPECT_EQ(FireKeyCodeAt(dialog.Result().position), 0xF4);
}

TEST_F(ParamDialogTest, MediaChoosesMuteAndEscapeCancels) {
  CMediaDialog dialog;
  dialog.show();
  EXPECT_EQ(dialog.Display()->text(), "Next");
  dialog.ClickAt(QPoint(60, 136));
  ASSERT_TRUE(dialog.List()->IsOpen());
  EXPECT_EQ(dialog.List()->List()->count(), kMediaKeyCount);
  ChooseEntry(*dialog.List(), 4);
  EXPECT_EQ(dialog.Display()->text(), "Mute");
  QTest::keyClick(&dialog, Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Result().position, 4);
  EXPECT_EQ(dialog.Result().caption, "Mute");

  CMediaDialog other;
  other.show();
  QTest::keyClick(&other, Qt::Key_Escape);
  EXPECT_FALSE(other.isVisible());
  EXPECT_EQ(other.result(), QDialog::Rejected);
}

TEST_F(ParamDialogTest, WindowsListHasElevenEntriesAndAClickOutsideKeepsTheChoice) {
  CWindowsDialog dialog;
  dialog.show();
  dialog.ClickAt(QPoint(60, 136));
  ASSERT_TRUE(dialog.List()->IsOpen());
  EXPECT_EQ(dialog.List()->List()->count(), kWindowsKeyCount);
  ChooseEntry(*dialog.List(), 10);
  EXPECT_EQ(dialog.Result().position, 10);
  EXPECT_EQ(dialog.Result().caption, "Browser-My Favorites");
  dialog.ClickAt(QPoint(60, 136));
  dialog.List()->List()->setCurrentRow(2);  // hot tracking only, nothing chosen
  dialog.ClickAt(QPoint(300, 100));
  EXPECT_FALSE(dialog.List()->IsOpen());
  EXPECT_EQ(dialog.Result().position, 10);
  // Wider than the display: whole, or cut short with an ellipsis, never cut through.
  const QString shown = dialog.Display()->text();
  EXPECT_TRUE(WholeOrCutShort(shown, "Browser-My Favorites")) << shown.toStdString();
}

TEST_F(ParamDialogTest, ListDialogsWithoutBackgroundReturnTheirFirstEntry) {
  QFile::remove(skin.Path(kWindowsKeyPng));
  CWindowsDialog dialog;
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_EQ(sink.messages[0].caption, "Windows Dialog Load background image failed!!!");
  dialog.show();
  dialog.ClickAt(kDialogOkButton.center());
  EXPECT_EQ(dialog.Result().position, 0);
  EXPECT_EQ(dialog.Result().caption, "Multimedia Player");
}

TEST_F(ParamDialogTest, DelayReturnsTheNumberTypedAndItsText) {
  CDelayTimeDialog dialog;
  dialog.show();
  TypeInto(dialog.DelayField(), "250");
  QTest::keyClick(dialog.DelayField(), Qt::Key_Enter);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Result().value, 250);
  EXPECT_EQ(dialog.Result().text, "250");
}

// The runner's dialogs are modal: a timer drives the one that is open.
void WhenModal(std::function<void(QWidget*)> drive) {
  QTimer::singleShot(50, [drive] {
    QWidget* modal = QApplication::activeModalWidget();
    ASSERT_NE(modal, nullptr);
    drive(modal);
  });
}

TEST_F(ParamDialogTest, RunnerAndDelayPromptGiveResultsOnOkAndNothingOnCancel) {
  QtSubDialogRunner runner(nullptr);
  WhenModal([](QWidget* w) {
    static_cast<SkinnedDialog*>(w)->ClickAt(QPoint(60, 136));
    ChooseEntry(*static_cast<CMediaDialog*>(w)->List(), 5);
    static_cast<SkinnedDialog*>(w)->ClickAt(kDialogOkButton.center());
  });
  const auto media = runner.RunMediaDialog();
  ASSERT_TRUE(media.has_value());
  EXPECT_EQ(media->position, 5);
  EXPECT_EQ(media->caption, "Vol+");

  WhenModal([](QWidget* w) { static_cast<SkinnedDialog*>(w)->ClickAt(kDialogCloseBox.center()); });
  EXPECT_FALSE(runner.RunSingleKeyDialog().has_value());

  WhenModal([](QWidget* w) {
    static_cast<CDelayTimeDialog*>(w)->DelayField()->setText("20000");
    static_cast<SkinnedDialog*>(w)->ClickAt(kDialogOkButton.center());
  });
  const auto delay = RunDelayTimeDialog(nullptr);
  ASSERT_TRUE(delay.has_value());
  EXPECT_EQ(delay->value, 20000);
}

}  // namespace
}  // namespace corvaline::gui
