// The Advanced page on a running shell: the macro editor driven by clicks on
// the window and its controls, recording driven by key events with physical
// key codes, the pointer settings through OK/Apply.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "../../core/system/fake_pointer_backend.h"
#include "core/macros/macro_encoder.h"
#include "core/macros/record_store.h"
#include "core/settings/data_paths.h"
#include "gui/pages/advanced_page.h"
#include "gui/shell/main_window.h"
#include "shell_fixture.h"

namespace corvaline::gui::testing {
namespace {

using Items = std::vector<std::string>;
using Names = std::vector<std::string>;
using Setting = PointerSetting;

// xkb keycodes of the keys the tests press.
constexpr quint32 kScanA = 38, kScanLeftShift = 50, kScanLeftCtrl = 37, kScanPause = 127,
                  kScanEnter = 36;

void WriteRecord(const std::vector<std::pair<std::string, Items>>& macros) {
  for (const auto& [name, items] : macros) ASSERT_TRUE(WriteMacroSection(DataFiles().recordIni, name, items));
}

class AdvancedPageTest : public ShellTest {
 protected:
  void Start(const std::vector<std::pair<std::string, Items>>& macros = {}) {
    WriteDataFiles("EN");
    WriteRecord(macros);
    MakeShell();
    shell->Start();
    page = std::make_unique<AdvancedPage>(shell->AdvancedHost(), desktop, [this](QWidget*) { return delay; });
    page->EditorView().SetItemMenu([this](QWidget*, QPoint) { return ++menus, chooseDelete; });
    shell->SetPageContent(Page::Advanced, page.get());
    shell->SetPointerSettings(&page->Pointer());
    shell->SetRecordingQuery([this] { return page->Recording(); });
    emit tray.leftClicked();
    ASSERT_TRUE(shell->Window().isVisible());
  }
  void TearDown() override {
    page.reset();
    ShellTest::TearDown();
  }
  void Enter() { Click(80, 70); }
  void Click(int x, int y) { QTest::mouseClick(&shell->Window(), Qt::LeftButton, {}, QPoint(x, y)); }
  MacroEditorView& View() { return page->EditorView(); }
  Names ListTexts(ListBox* list) {
    Names texts;
    for (int i = 0; list && i < list->count(); ++i) texts.push_back(list->item(i)->text().toStdString());
    return texts;
  }
  Items EventTexts() { return ListTexts(View().EventList()); }
  void Key(QWidget* to, QEvent::Type type, quint32 scan, Qt::KeyboardModifiers mods = {},
           bool repeat = false, int key = 0, const QString& text = {}) {
    QKeyEvent event(type, key, mods, scan, 0, 0, text, repeat);
    QApplication::sendEvent(to, &event);
  }
  void Tap(QWidget* to, quint32 scan, int key = 0, const QString& text = {}) {
    Key(to, QEvent::KeyPress, scan, {}, false, key, text);
    Key(to, QEvent::KeyRelease, scan, {}, false, key, text);
  }
  // Pointer over entry `row` of a list: the entry is selected (hot tracking).
  void Hover(ListBox* list, int row) {
    QTest::mouseMove(list->viewport(), list->EntryRect(row).center() - list->viewport()->pos());
  }
  void ChooseEntry(ListBox* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->EntryRect(row).center() - list->viewport()->pos());
  }

  test::FakePointerBackend desktop;
  std::optional<DelayResult> delay;
  bool chooseDelete = true;
  int menus = 0;
  std::unique_ptr<AdvancedPage> page;
};

TEST_F(AdvancedPageTest, ControlsAtTheirPlacesFilledFromRecordIniAndGoneOnTheBasicPage) {
  Start({{"first", {"A   Dn", "50 ms", "A   Up"}}, {"second", {}}});
  Settings().settings.macroArea[0][1] = 7;  // loop count of block 0
  Enter();
  ASSERT_TRUE(page->HasControls());
  EXPECT_EQ(View().MacroList()->geometry(), QRect(462, 220, 129, 292));
  EXPECT_EQ(View().EventList()->geometry(), QRect(592, 220, 133, 292));
  EXPECT_EQ(View().NameEdit()->geometry(), QRect(735, 322, 64, 14));
  EXPECT_EQ(View().LoopEdit()->geometry(), QRect(735, 362, 64, 14));
  EXPECT_EQ(View().Header()->geometry(), QRect(735, 402, 104, 14));
  EXPECT_EQ(View().MacroList()->Id(), 151);
  EXPECT_EQ(ListTexts(View().MacroList()), (Names{"first", "second"}));
  EXPECT_EQ(EventTexts(), (Items{"A   Dn", "50 ms", "A   Up"}));
  EXPECT_EQ(View().NameEdit()->text(), "first");
  EXPECT_EQ(View().LoopEdit()->text(), "7");
  EXPECT_EQ(View().EventList()->EntryRect(1).top() - View().EventList()->EntryRect(0).top(), 16);

  // New with a name typed, then a page switch: the unsaved macro is gone.
  View().NameEdit()->clear();
  QTest::keyClicks(View().NameEdit(), "third");
  Click(560, 538);
  EXPECT_EQ(ListTexts(View().MacroList()), (Names{"first", "second", "third"}));
  EXPECT_TRUE(EventTexts().empty());
  Click(30, 70);
  EXPECT_FALSE(page->HasControls());
  EXPECT_EQ(View().MacroList(), nullptr);
  Enter();
  EXPECT_EQ(ListTexts(View().MacroList()), (Names{"first", "second"}));

  // Twelve names: the thirteenth is refused even when new.
  for (int i = 3; i <= 12; ++i) {
    View().NameEdit()->setText(QString("m%1").arg(i));
    emit View().NameEdit()->textEdited(View().NameEdit()->text());
    Click(560, 538);
  }
  ASSERT_EQ(View().MacroList()->count(), 12);
  sink.messages.clear();
  View().NameEdit()->setText("brand-new");
  emit View().NameEdit()->textEdited("brand-new");
  Click(560, 538);
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"Macro numbers up to 12."}));
  EXPECT_EQ(sink.messages[0].second, "Warning");
}

TEST_F(AdvancedPageTest, MouseEventsLoopCountDelaysAndTheItemMenu) {
  Start({{"m", {}}});
  Enter();
  // L-Button Click into the empty list of the selected macro.
  Click(780, 409);
  ListBox* events = View().MouseEventList();
  ASSERT_NE(events, nullptr);
  EXPECT_EQ(events->geometry(), QRect(734, 419, 120, 150));
  EXPECT_EQ(events->count(), 9);
  Hover(events, 4);
  EXPECT_EQ(events->currentRow(), 4);  // hot tracking in the drop-down
  ChooseEntry(events, 0);
  EXPECT_EQ(EventTexts(), (Items{"L-Button   Dn", "50 ms", "L-Button   Up", "50 ms"}));
  EXPECT_EQ(View().Header()->text(), "L-Button Click");
  EXPECT_EQ(View().MouseEventList(), nullptr);

  // R-Button Up after the event at position 0, which the pointer rests on.
  Hover(View().EventList(), 0);
  Click(780, 409);
  ChooseEntry(View().MouseEventList(), 6);
  EXPECT_EQ(EventTexts(), (Items{"L-Button   Dn", "50 ms", "R-Button   Up", "50 ms", "L-Button   Up",
                                 "50 ms"}));
  EXPECT_EQ(View().EventList()->currentRow(), 2);

  // The drop-down closes on a click elsewhere, and on its header again.
  Click(780, 409);
  Click(300, 120);
  EXPECT_EQ(View().MouseEventList(), nullptr);
  Click(780, 409);
  Click(780, 409);
  EXPECT_EQ(View().MouseEventList(), nullptr);

  // Loop counts outside 1..65535 become 1.
  for (const char* typed : {"0", "70000"}) {
    View().LoopEdit()->clear();
    QTest::keyClicks(View().LoopEdit(), typed);
    EXPECT_EQ(View().LoopEdit()->text(), "1") << typed;
    EXPECT_EQ(MacroLoopCount(Settings().settings, 0), 1) << typed;
  }
  QTest::keyClicks(View().LoopEdit(), "2");  // "12"
  EXPECT_EQ(MacroLoopCount(Settings().settings, 0), 12);

  // A double click on a delay runs the delay dialog; its entry is held in range.
  QWidget* viewport = View().EventList()->viewport();
  const QPoint delayAt = View().EventList()->EntryRect(1).center() - viewport->pos();
  delay = DelayResult{5, "5"};
  QTest::mouseDClick(viewport, Qt::LeftButton, {}, delayAt);
  EXPECT_EQ(EventTexts()[1], "20 ms");
  delay = DelayResult{20000, "20000"};
  QTest::mouseDClick(viewport, Qt::LeftButton, {}, delayAt);
  EXPECT_EQ(EventTexts()[1], "10000 ms");

  // The right button's menu removes the entry under the pointer.
  Hover(View().EventList(), 4);
  emit View().EventList()->customContextMenuRequested(View().EventList()->EntryRect(4).center() -
                                                      viewport->pos());
  EXPECT_EQ(menus, 1);
  EXPECT_EQ(EventTexts().size(), 5u);
  EXPECT_EQ(EventTexts()[3], "50 ms");
}

TEST_F(AdvancedPageTest, ConfirmWritesRecordIniDeleteLeavesTheMacroAreaUntilTheNext) {
  Start({{"keep", {"A   Dn", "50 ms", "A   Up"}}, {"gone", {"B   Dn"}}});
  Enter();
  // Confirm encodes every macro; then Delete of "gone" leaves its block.
  Click(770, 538);  // the saved macro becomes the last one
  EXPECT_EQ(ListTexts(View().MacroList()), (Names{"gone", "keep"}));
  auto area = [] {
    const auto& a = Settings().settings.macroArea;
    return std::vector<std::uint8_t>(&a[0][0], &a[0][0] + sizeof a);
  };
  const std::vector<std::uint8_t> blockBefore = area();
  ChooseEntry(View().MacroList(), 0);
  ASSERT_EQ(View().NameEdit()->text(), "gone");
  Click(660, 538);
  EXPECT_EQ(ListTexts(View().MacroList()), (Names{"keep"}));
  EXPECT_EQ(ListMacroNames(DataFiles().recordIni), (Names{"keep"}));
  EXPECT_EQ(area(), blockBefore);
  ChooseEntry(View().MacroList(), 0);
  EXPECT_EQ(page->Editor().SelectedMacro(), 0);
  Click(770, 538);
  EXPECT_NE(area(), blockBefore);
}

TEST_F(AdvancedPageTest, RecordingTakesEveryKeyAndKeysReachNoControl) {
  Start({{"m", {}}});
  Enter();
  QLineEdit* name = View().NameEdit();
  name->setFocus();
  Click(750, 240);
  ASSERT_TRUE(page->Recording());
  EXPECT_EQ(shell->Window().windowTitle(), "Press Ctrl+Break key to stop recording");

  // A pressed and released, into the focused edit: recorded, not typed.
  Tap(name, kScanA, Qt::Key_A, "a");
  EXPECT_EQ(name->text(), "m");
  EXPECT_EQ(EventTexts(), (Items{"A   Dn", "50 ms", "A   Up"}));
  // Enter is recorded and does not hide the window.
  Tap(name, kScanEnter, Qt::Key_Return);
  EXPECT_TRUE(shell->Window().isVisible());
  // Shift + A in order; A held down repeats, only one press counts.
  Key(name, QEvent::KeyPress, kScanLeftShift, {}, false, Qt::Key_Shift);
  Key(name, QEvent::KeyPress, kScanA, Qt::ShiftModifier, false, Qt::Key_A, "A");
  Key(name, QEvent::KeyRelease, kScanA, Qt::ShiftModifier, true, Qt::Key_A, "A");
  Key(name, QEvent::KeyPress, kScanA, Qt::ShiftModifier, true, Qt::Key_A, "A");
  Key(name, QEvent::KeyRelease, kScanA, Qt::ShiftModifier, false, Qt::Key_A, "A");
  Key(name, QEvent::KeyRelease, kScanLeftShift, {}, false, Qt::Key_Shift);
  EXPECT_EQ(EventTexts(), (Items{"A   Dn", "50 ms", "A   Up", "50 ms", "Enter   Dn", "50 ms",
                                 "Enter   Up", "50 ms", "Shift   Dn", "50 ms", "A   Dn", "50 ms",
                                 "A   Up", "50 ms", "Shift   Up"}));

  // Ctrl+Break stops as Stop does; neither key is in the macro.
  sink.messages.clear();
  Key(name, QEvent::KeyPress, kScanLeftCtrl, {}, false, Qt::Key_Control);
  Key(name, QEvent::KeyPress, kScanPause, Qt::ControlModifier, false, Qt::Key_Pause);
  Key(name, QEvent::KeyRelease, kScanPause, Qt::ControlModifier, false, Qt::Key_Pause);
  Key(name, QEvent::KeyRelease, kScanLeftCtrl, {}, false, Qt::Key_Control);
  EXPECT_FALSE(page->Recording());
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"Stop Recording"}));
  EXPECT_EQ(EventTexts().size(), 15u);
  EXPECT_EQ(EventTexts().back(), "Shift   Up");
  EXPECT_NE(shell->Window().windowTitle(), "Press Ctrl+Break key to stop recording");

  // Not recording: keys type again, Enter hides.
  Tap(name, kScanA, Qt::Key_A, "a");
  EXPECT_EQ(name->text(), "ma");
  Click(770, 538);
  EXPECT_EQ(ReadMacroItems(DataFiles().recordIni, "m").size(), 15u);
}

TEST_F(AdvancedPageTest, StopTwiceStopWithoutStartEmptyListAndLeavingThePage) {
  Start();
  Enter();
  Click(750, 240);  // no macro at all
  EXPECT_EQ(sink.messages, (std::vector<std::pair<std::string, std::string>>{
                               {"Macro name is blank", "Warning"}}));
  EXPECT_FALSE(page->Recording());
  sink.messages.clear();
  Click(750, 280);
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{
                                "Stop Recording",
                                "It doesn’t start recording, unnecessary to press Stop key!"}));

  View().NameEdit()->setText("x");
  emit View().NameEdit()->textEdited("x");
  Click(560, 538);
  Click(750, 240);
  ASSERT_TRUE(page->Recording());
  sink.messages.clear();
  Click(750, 280);
  Click(750, 280);
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"Stop Recording", "Stop Recording"}));

  Click(750, 240);
  ASSERT_TRUE(page->Recording());
  Click(30, 70);  // the Basic page stops it
  EXPECT_FALSE(page->Recording());
  Tap(&shell->Window(), kScanEnter, Qt::Key_Return);
  EXPECT_FALSE(shell->Window().isVisible());  // Enter hides again
}

TEST_F(AdvancedPageTest, PointerSettingsReadOnFirstShowingWrittenByApply) {
  desktop.speed = 10;
  desktop.wheelLines = -1;
  desktop.doubleClickMs = 500;
  desktop.unsupported = {Setting::DoubleClick};
  Start();
  Enter();
  SettingsBlock& s = Settings().settings;
  EXPECT_EQ(s.pointerSpeedLevel, 6);
  EXPECT_EQ(s.wheelPageScroll, 1);
  Click(28 + 24 * 11 + 3, 205);  // speed tick 11
  Click(55, 260);                // acceleration on
  Click(100, 505);               // double-click: not on this desktop
  Click(700, 630);               // Apply
  EXPECT_EQ(desktop.speed, 20);
  EXPECT_TRUE(desktop.acceleration);
  EXPECT_EQ(desktop.wheelLines, -1);
  EXPECT_EQ(desktop.doubleClickMs, 500);
  // A second showing keeps the user's positions.
  Click(30, 70);
  Enter();
  EXPECT_EQ(s.pointerSpeedLevel, 11);

  desktop.failing = {Setting::Speed};
  sink.messages.clear();
  Click(700, 630);
  EXPECT_EQ(sink.messages, (std::vector<std::pair<std::string, std::string>>{
                               {"SETMOUSESPEED failed.", "Warning"}}));
  Click(60, 590);  // restore: at once
  EXPECT_FALSE(desktop.acceleration);
  EXPECT_EQ(desktop.wheelLines, 3);
}

}  // namespace
}  // namespace corvaline::gui::testing
