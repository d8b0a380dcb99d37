// The Basic page on a running shell, driven by clicks on the window and on
// its lists: what lands in the SettingsBlock and the captions.
#include <QLabel>
#include <QTest>

#include "core/buttons/button_assign.h"
#include "core/i18n/ui_strings.h"
#include "gui/shell/main_window.h"
#include "gui/pages/basic_page.h"
#include "gui/skin/list_box.h"
#include "shell_fixture.h"

namespace corvaline::gui::testing {
namespace {

constexpr QRgb kLight = 0xFF00C8FF;  // slider-DPI-light / slider-RP-light
constexpr QRgb kDark = 0xFF282828;   // slider-DPI-dark / slider-RP-dark
constexpr QRgb kBoxNormal = 0xFF505050;
constexpr QRgb kBoxOver = 0xFF0050A0;

// Answers the sub-dialogs the way a user would, or cancels when unset.
struct ScriptedDialogs : SubDialogRunner {
  std::optional<SingleKeyResult> single;
  std::optional<FireKeyResult> fire;
  std::optional<ComboKeyResult> combo;
  std::optional<WindowsKeyResult> RunWindowsDialog() override { return std::nullopt; }
  std::optional<MediaKeyResult> RunMediaDialog() override { return std::nullopt; }
  std::optional<FireKeyResult> RunFireKeyDialog() override { return fire; }
  std::optional<SingleKeyResult> RunSingleKeyDialog() override { return single; }
  std::optional<ComboKeyResult> RunComboKeyDialog() override { return combo; }
  std::optional<MacroKeyResult> RunMacroDialog() override { return std::nullopt; }
};

class BasicPageTest : public ShellTest {
 protected:
  void Start(int sensorType = 0) {
    WriteDataFiles("EN");
    const QString skin = dir.path() + "/Skins/Test/";
    for (auto [name, w, h, rgb] : {std::tuple{"slider-DPI-light.png", 16, 16, kLight},
                                  {"slider-DPI-dark.png", 16, 16, kDark},
                                  {"slider-RP-light.png", 70, 11, kLight},
                                  {"slider-RP-dark.png", 70, 11, kDark},
                                  {"DropdownBox-normal.png", 211, 21, kBoxNormal},
                                  {"DropdownBox-over.png", 211, 21, kBoxOver}}) {
      QImage image(w, h, QImage::Format_ARGB32);
      image.fill(QColor::fromRgba(rgb));
      ASSERT_TRUE(image.save(skin + name));
    }
    mouse->SetSensorType(static_cast<std::uint8_t>(sensorType));
    MakeShell();
    shell->Start();
    RestoreDefaultFunctions(Block(), shell->Items(), UiLanguage::EN);
    emit tray.leftClicked();
    ASSERT_TRUE(shell->Window().isVisible());
    shell->Basic().SetDialogs(&dialogs);
    shell->RecomposeCurrentPage();
  }
  SettingsBlock& Block() { return Settings().settings; }
  BasicPage& Page() { return shell->Basic(); }
  void Click(int x, int y) { QTest::mouseClick(&shell->Window(), Qt::LeftButton, {}, QPoint(x, y)); }
  void ClickBox(int slot) { Click(300, 205 + 23 * slot); }
  static QPoint OnEntry(ListBox* list, int row) {
    return list->EntryRect(row).center() - list->viewport()->pos();
  }
  static void Choose(ListBox* list, int row) {
    ASSERT_NE(list, nullptr);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, OnEntry(list, row));
  }
  static void Hover(ListBox* list, int row) { QTest::mouseMove(list->viewport(), OnEntry(list, row)); }
  // Opens box `slot` of the edited group and picks `entry` of its menu.
  void Assign(int slot, int entry) {
    ClickBox(slot);
    Choose(Page().FunctionList(), entry);
  }
  std::uint8_t Category(KeyGroup g, int slot) { return Block().table(g).category[slot]; }
  const std::string& Caption(int group, int slot) { return shell->Items().captions[group][slot]; }
  QRgb Pixel(int x, int y) { return shell->Window().Canvas()->pixel(x, y); }
  QRgb Cell(int stage, int level) { return Pixel(554 + 27 * stage + 1, 518 - 18 * level + 1); }

  ScriptedDialogs dialogs;
};

TEST_F(BasicPageTest, ComposedFromTheBlockAndAfterCancelFromTheRestoredOne) {
  Start();
  Block().reportRateCode = 4;  // 250 Hz
  Block().dpiStageIndex[1] = 3;
  Block().dpiStageEnabled[1] = 1;
  Block().ledEffect = 3;
  Block().ledNeonPeriod = 19;
  Block().ledNeonOption = 3;
  Block().dpiStageColour[1][0] = 200;
  TakeSnapshot(Settings());
  shell->RecomposeCurrentPage();
  EXPECT_EQ(Pixel(615, 205), kLight);
  EXPECT_EQ(Pixel(759, 205), kDark);
  EXPECT_EQ(Cell(1, 4), kLight);
  EXPECT_EQ(Cell(1, 5), kDark);
  EXPECT_EQ(Cell(2, 1), kDark);  // a stage that is off shows no level
  EXPECT_EQ(Cell(0, 12), kDark);  // twelve levels on sensor type 0
  EXPECT_EQ(Page().LedLabel(1)->text(), "Neon");
  EXPECT_EQ(Page().LedLabel(2)->text(), "10S");
  EXPECT_EQ(Page().LedLabel(3)->text(), "RGB Fixed On");
  EXPECT_EQ(Page().Swatch(1)->palette().color(QPalette::Window), QColor(200, 0, 0));

  Click(760, 208);          // 1000 Hz
  Click(554 + 27 + 5, 518 - 18 * 7 + 5);  // stage 2, level 7
  Assign(1, 2);             // button 2: Mid Click
  EXPECT_EQ(Block().reportRateCode, 1);
  EXPECT_EQ(Block().dpiStageIndex[1], 6);
  EXPECT_EQ(Pixel(615, 205), kDark);

  Click(800, 630);  // Cancel
  emit tray.leftClicked();
  EXPECT_EQ(Block().reportRateCode, 4);
  EXPECT_EQ(Block().dpiStageIndex[1], 3);
  EXPECT_EQ(Category(KeyGroup::ModeA, 1), 1);
  EXPECT_EQ(Pixel(615, 205), kLight);
  EXPECT_EQ(Cell(1, 7), kDark);
  EXPECT_EQ(Page().LedLabel(2)->text(), "10S");
}

TEST_F(BasicPageTest, ReportRateAndDpiStageRules) {
  Start();
  Block().dpiStageEnabled[0] = 1;
  for (int s = 1; s < 4; ++s) Block().dpiStageEnabled[s] = 0;
  shell->RecomposeCurrentPage();
  // The selected stop again: nothing changes, nothing is drawn.
  Block().reportRateCode = 2;
  const QImage before = shell->Window().Canvas()->copy();
  Click(690, 208);
  EXPECT_EQ(*shell->Window().Canvas(), before);
  // A stage that is off takes a level (the stage switches' rule: core).
  Click(554 + 27 * 2 + 5, 518 - 18 * 3 + 5);
  EXPECT_EQ(Block().dpiStageIndex[2], 2);
  EXPECT_EQ(Cell(2, 3), kLight);  // the click shows the level it chose
  EXPECT_EQ(Cell(2, 4), kDark);
  Click(554 + 27 * 2 + 5, 548);
  QTest::mouseDClick(&shell->Window(), Qt::LeftButton, {}, QPoint(554 + 27 * 2 + 5, 548));
  EXPECT_EQ(Block().dpiStageEnabled[2], 1);  // a double click is one click
  EXPECT_EQ(Cell(2, 3), kLight);
  Click(560, 548);
  EXPECT_EQ(Block().dpiStageEnabled[0], 0);
  // The swatch of a stage that is off takes the click without a chooser and
  // without a drag; one that is on asks, starting from its own colour.
  std::vector<QColor> asked;
  Page().SetColourChooser([&](QWidget*, QColor initial) -> std::optional<QColor> {
    asked.push_back(initial);
    return QColor(255, 0, 0);
  });
  EXPECT_EQ(shell->Window().ClickAt(560, 530), ClickOutcome::Handled);
  EXPECT_TRUE(asked.empty());
  Block().dpiStageColour[2][0] = 10, Block().dpiStageColour[2][1] = 20, Block().dpiStageColour[2][2] = 30;
  shell->Window().ClickAt(554 + 27 * 2 + 5, 530);
  shell->Window().ClickAt(554 + 27 * 2 + 5, 530);
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0], QColor(10, 20, 30));
  EXPECT_EQ(asked[1], QColor(255, 0, 0));
  EXPECT_EQ(Block().dpiStageColour[2][0], 255);
  EXPECT_EQ(Block().dpiStageColour[2][1], 0);
  // Level 12 on the twelve-level sensor.
  Click(560, 518 - 18 * 12 + 5);
  EXPECT_EQ(Block().dpiStageIndex[0], 11);
}

TEST_F(BasicPageTest, LevelsNineToTwelveAnswerOnlyOnSensorTypeZero) {
  for (int sensor : {1, 5}) {
    SCOPED_TRACE(sensor);
    Start(sensor);
    Block().dpiStageIndex[0] = 0;
    // Type 1 has eight levels: nothing drawn above them; type 5 has no table
    // of its own: twelve drawn, eight clickable.
    EXPECT_EQ(Cell(0, 9) == kDark, sensor == 5);
    EXPECT_EQ(shell->Window().ClickAt(560, 518 - 18 * 9 + 5), ClickOutcome::Drag);
    EXPECT_EQ(Block().dpiStageIndex[0], 0);
    Click(560, 518 - 18 * 8 + 5);
    EXPECT_EQ(Block().dpiStageIndex[0], 7);
    shell.reset();
    Settings() = SettingsStore{};
  }
}

TEST_F(BasicPageTest, LeftKeyRuleInBothGroups) {
  Start();
  ClickBox(0);  // the only Left Click of Mode A
  EXPECT_EQ(Page().FunctionList(), nullptr);
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_EQ(sink.messages[0], std::make_pair(std::string("Left key must be selected!"), std::string("Warning")));
  Assign(1, 0);  // button 2 becomes a left button too
  ClickBox(0);
  EXPECT_NE(Page().FunctionList(), nullptr);
  EXPECT_EQ(Page().FunctionList()->Id(), 41);
  Choose(Page().FunctionList(), 3);  // so button 1 may become Forward
  EXPECT_EQ(Category(KeyGroup::ModeA, 0), 3);
  // Mode B was not touched: its button 1 is still its only left button.
  Click(400, 525);
  EXPECT_EQ(Block().currentMode, 1);
  ClickBox(0);
  EXPECT_EQ(Page().FunctionList(), nullptr);
  EXPECT_EQ(sink.messages.size(), 2u);
  ClickBox(1);
  Choose(Page().FunctionList(), 4);  // Mode B button 2: Backward, Mode A unchanged
  EXPECT_EQ(Category(KeyGroup::ModeB, 1), 4);
  EXPECT_EQ(Category(KeyGroup::ModeA, 1), 0);
}

TEST_F(BasicPageTest, OneShiftAcrossBothGroupsReplacedFromTheOtherGroup) {
  Start();
  Assign(3, 14);
  EXPECT_EQ(Category(KeyGroup::ModeA, 3), 14);
  EXPECT_EQ(Category(KeyGroup::ModeB, 3), 14);
  EXPECT_EQ(Caption(0, 3), "Shift");
  EXPECT_EQ(Caption(1, 3), "Shift");
  Assign(5, 14);  // a second Shift: refused, without a word
  EXPECT_EQ(Category(KeyGroup::ModeA, 5), 6);
  EXPECT_EQ(Page().FunctionList(), nullptr);
  EXPECT_TRUE(sink.messages.empty());
  // From Mode B a Single Key replaces the Shift in both groups.
  Click(400, 525);
  dialogs.single = SingleKeyResult{"A"};
  Assign(3, 11);
  EXPECT_EQ(Category(KeyGroup::ModeA, 3), 11);
  EXPECT_EQ(Category(KeyGroup::ModeB, 3), 11);
  EXPECT_EQ(Caption(0, 3), "Single Key-A");
  EXPECT_EQ(Caption(1, 3), "Single Key-A");
  // A cancelled dialog changes nothing; the others write their captions.
  dialogs.single.reset();
  Assign(4, 11);
  EXPECT_EQ(Category(KeyGroup::ModeB, 4), 4);
  dialogs.fire = FireKeyResult{};
  Assign(4, 10);
  EXPECT_EQ(Caption(1, 4), "Fire Key-A");
  dialogs.combo = ComboKeyResult{"Left Ctrl", "C", "", 0};
  Assign(6, 12);
  EXPECT_EQ(Caption(1, 6), "Combo Key-Left Ctrl+C");
  EXPECT_EQ(Block().table(KeyGroup::ModeB).comboKey1[6], 0x06);
  // Default restores both groups and the boxes' captions.
  Click(350, 555);
  EXPECT_EQ(Category(KeyGroup::ModeB, 6), 5);
  EXPECT_EQ(Caption(1, 8), "Combo Key-left Win+D");
  EXPECT_EQ(Block().currentMode, 1);
}

TEST_F(BasicPageTest, DpiSubMenuOpensBesideItsEntryAndGivesTheFunction) {
  Start();
  ClickBox(2);
  ListBox* list = Page().FunctionList();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->geometry(), QRect(252, 221 + 46, 211, 270));
  Hover(list, 6);
  ASSERT_NE(Page().DpiMenu(), nullptr);
  EXPECT_EQ(Page().DpiMenu()->geometry(), QRect(252 + 209, 267 + 96, 60, 80));
  EXPECT_EQ(Page().DpiMenu()->Id(), 37);
  EXPECT_EQ(Page().DpiMenu()->count(), 4);
  Hover(list, 10);
  EXPECT_EQ(Page().DpiMenu(), nullptr);
  Choose(list, 6);  // "DPI Switch" itself chooses nothing
  EXPECT_EQ(Page().FunctionList(), list);
  Hover(list, 6);
  Choose(Page().DpiMenu(), 2);
  EXPECT_EQ(Category(KeyGroup::ModeA, 2), 6);
  EXPECT_EQ(Block().dpiSwitchSelector[0][2], 3);
  EXPECT_EQ(Caption(0, 2), "DPI Loop");
  EXPECT_EQ(Page().FunctionList(), nullptr);
  EXPECT_EQ(Page().DpiMenu(), nullptr);
  ClickBox(2);
  EXPECT_NE(Page().FunctionList(), nullptr);
}

TEST_F(BasicPageTest, AClickElsewhereClosesTheListAndOpensAnotherBox) {
  Start();
  ClickBox(7);  // a list to the right of the boxes
  ASSERT_NE(Page().FunctionList(), nullptr);
  EXPECT_EQ(Page().FunctionList()->geometry(), QRect(463, 100 + 23, 211, 270));
  ClickBox(4);
  ASSERT_NE(Page().FunctionList(), nullptr);
  EXPECT_EQ(Page().FunctionList()->Id(), 45);
  ClickBox(4);  // its own box closes it
  EXPECT_EQ(Page().FunctionList(), nullptr);
  ClickBox(4);
  EXPECT_EQ(shell->Window().ClickAt(150, 300), ClickOutcome::Drag);
  EXPECT_EQ(Page().FunctionList(), nullptr);
  EXPECT_EQ(Page().MenuState().openSlot, -1);
}

TEST_F(BasicPageTest, LightingListsKeepEachEffectsOwnFields) {
  Start();
  for (int effect : {0, 9}) {  // no parameter or option: no bars over their boxes
    Block().ledEffect = static_cast<std::uint8_t>(effect);
    shell->RecomposeCurrentPage();
    EXPECT_TRUE(Page().LedLabel(1)->isVisible());
    EXPECT_FALSE(Page().LedLabel(2)->isVisible());
    EXPECT_FALSE(Page().LedLabel(3)->isVisible());
  }
  Click(780, 337);
  Choose(Page().LedList(1), 1);  // Respiration brings them back
  EXPECT_TRUE(Page().LedLabel(2)->isVisible());
  EXPECT_TRUE(Page().LedLabel(3)->isVisible());
  Block().ledEffect = 3;
  Block().ledNeonPeriod = 5;
  Block().ledNeonOption = 2;
  shell->RecomposeCurrentPage();
  Click(780, 337);
  Choose(Page().LedList(1), 0);  // Standard
  EXPECT_EQ(Block().ledEffect, 1);
  EXPECT_EQ(Page().LedLabel(3)->text(), "RGB Effect");
  EXPECT_EQ(Page().LedList(1), nullptr);
  Click(780, 397);  // Standard has no option list
  EXPECT_EQ(Page().LedList(3), nullptr);
  Click(780, 367);
  ASSERT_NE(Page().LedList(2), nullptr);
  EXPECT_EQ(Page().LedList(2)->height(), 170);
  Choose(Page().LedList(2), 9);
  EXPECT_EQ(Block().ledStandardBrightness, 9);
  EXPECT_EQ(Page().LedLabel(2)->text(), "100%");
  Click(780, 337);
  Choose(Page().LedList(1), 2);  // back to Neon: its own period and option
  EXPECT_EQ(Block().ledNeonPeriod, 5);
  EXPECT_EQ(Page().LedLabel(2)->text(), "3S");
  EXPECT_EQ(Page().LedLabel(3)->text(), "RGB Flash");
  Click(780, 367);
  EXPECT_EQ(Page().LedList(2)->count(), 30);
  Click(700, 200);  // the parameter list closes on any click off its box
  EXPECT_EQ(Page().LedList(2), nullptr);
}

TEST_F(BasicPageTest, BoxesLightOneAtATimeAndOnlyOnTheBasicPage) {
  Start();
  // A busy machine may fire the rest timer late: wait for the highlight.
  auto rest = [&](int x, int y, int litBoxTop = -1) {
    emit shell->Window().pointerMoved(QPoint(x, y));
    if (litBoxTop < 0) return QTest::qWait(kHoverRestMs * 5);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Pixel(453, litBoxTop) == kBoxOver; }, 2000));
  };
  rest(300, 205 + 23 * 2, 200 + 46);
  EXPECT_EQ(Pixel(453, 200 + 46), kBoxOver);
  rest(300, 205 + 23 * 4, 200 + 92);
  EXPECT_EQ(Pixel(453, 200 + 46), kBoxNormal);
  EXPECT_EQ(Pixel(453, 200 + 92), kBoxOver);
  rest(150, 300);
  EXPECT_EQ(Pixel(453, 200 + 92), kBoxNormal);
  Click(80, 70);  // the Advanced page: the boxes are not there
  rest(300, 205);
  EXPECT_FALSE(shell->Hover().AnyHighlighted());
}

}  // namespace
}  // namespace corvaline::gui::testing
