#include <gtest/gtest.h>

#include <cstring>

#include "core/buttons/button_menu.h"
#include "core/buttons/key_tables.h"

namespace corvaline {
namespace {

// Sub-dialogs with canned answers; an unset answer is a cancelled dialog.
struct FakeDialogs : SubDialogRunner {
  std::optional<WindowsKeyResult> windows;
  std::optional<MediaKeyResult> media;
  std::optional<FireKeyResult> fire;
  std::optional<SingleKeyResult> single;
  std::optional<ComboKeyResult> combo;
  std::optional<MacroKeyResult> macro;
  int runs = 0;
  std::optional<WindowsKeyResult> RunWindowsDialog() override { return ++runs, windows; }
  std::optional<MediaKeyResult> RunMediaDialog() override { return ++runs, media; }
  std::optional<FireKeyResult> RunFireKeyDialog() override { return ++runs, fire; }
  std::optional<SingleKeyResult> RunSingleKeyDialog() override { return ++runs, single; }
  std::optional<ComboKeyResult> RunComboKeyDialog() override { return ++runs, combo; }
  std::optional<MacroKeyResult> RunMacroDialog() override { return ++runs, macro; }
};

class ButtonMenu : public ::testing::Test {
 protected:
  void SetUp() override { RestoreDefaultFunctions(block, captions, UiLanguage::EN); }

  void Edit(KeyGroup g) { block.currentMode = static_cast<std::uint8_t>(g); }
  // Opens slot s's list and clicks entry d in it; the refusal's text, empty
  // when the choice went through.
  std::string Choose(int s, int d) {
    EXPECT_TRUE(OpenFunctionMenu(menu, target, s));
    EXPECT_TRUE(menu.IsOpen(s));
    return OnFunctionChosen(menu, target, s, d, dialogs).Reason();
  }
  std::uint8_t Cat(KeyGroup g, int s) const { return block.table(g).category[s]; }
  const std::string& Caption(KeyGroup g, int s) const {
    return captions[static_cast<int>(g)][s];
  }

  SettingsBlock block{};
  ButtonCaptions captions;
  ButtonEditTarget target{block, captions, UiLanguage::EN};
  FunctionMenuState menu;
  FakeDialogs dialogs;
};

TEST_F(ButtonMenu, LastLeftButtonKeepsItsMenuClosedInEitherGroup) {
  for (KeyGroup g : {KeyGroup::ModeA, KeyGroup::ModeB}) {
    Edit(g);
    const auto warning = OpenFunctionMenu(menu, target, 0);
    ASSERT_FALSE(warning);
    EXPECT_EQ(warning.Reason(), "Left key must be selected!");
    EXPECT_EQ(warning.Caption(), "Warning");
    EXPECT_EQ(menu.openSlot, -1);
  }
  // Slot 1 of Mode B becomes a left button; then slot 0 of Mode B opens, but
  // Mode A's slot 0 is still that group's only one.
  Edit(KeyGroup::ModeB);
  Choose(1, 0);
  EXPECT_EQ(Cat(KeyGroup::ModeB, 1), 0);
  EXPECT_EQ(Cat(KeyGroup::ModeA, 1), 1);
  EXPECT_TRUE(OpenFunctionMenu(menu, target, 0));
  EXPECT_TRUE(menu.IsOpen(0));
  CloseFunctionMenus(menu);
  Edit(KeyGroup::ModeA);
  EXPECT_FALSE(OpenFunctionMenu(menu, target, 0));
  EXPECT_EQ(menu.openSlot, -1);

  // The warning follows the UI language.
  ButtonEditTarget chs{block, captions, UiLanguage::CHS};
  const auto warning = OpenFunctionMenu(menu, chs, 0);
  ASSERT_FALSE(warning);
  EXPECT_EQ(warning.Reason(), "左键功能必须选择！");
  EXPECT_EQ(warning.Caption(), "Warning");
}

TEST_F(ButtonMenu, HiddenSlotsDoNotCountAsLeftButtons) {
  // An all-zero block: every slot, 10 and 11 included, is Left Click.
  block = SettingsBlock{};
  for (int s = 0; s < 10; ++s) EXPECT_FALSE(IsLastLeftClick(block.table(KeyGroup::ModeA), s));
  for (int s = 1; s < 10; ++s) Choose(s, 15);
  // Slots 10 and 11 still hold Left Click but never reach the mouse.
  EXPECT_FALSE(OpenFunctionMenu(menu, target, 0));
}

TEST_F(ButtonMenu, ShiftIsSetInBothGroupsAndOnlyOnce) {
  Choose(3, 14);
  EXPECT_EQ(Cat(KeyGroup::ModeA, 3), 14);
  EXPECT_EQ(Cat(KeyGroup::ModeB, 3), 14);
  EXPECT_EQ(Caption(KeyGroup::ModeA, 3), "Shift");
  EXPECT_EQ(Caption(KeyGroup::ModeB, 3), "Shift");
  EXPECT_EQ(menu.openSlot, -1);

  // A second Shift is refused silently, from either group.
  for (KeyGroup g : {KeyGroup::ModeA, KeyGroup::ModeB}) {
    Edit(g);
    EXPECT_EQ(Choose(5, 14), "");
    EXPECT_EQ(Cat(KeyGroup::ModeA, 5), 6);
    EXPECT_EQ(Cat(KeyGroup::ModeB, 5), 6);
    EXPECT_EQ(Caption(g, 5), "DPI Loop");
  }
}

TEST_F(ButtonMenu, ShiftNeverTakesTheOtherGroupsLastLeftButton) {
  // Mode A gets a second left button on slot 1, so slot 0 may change there;
  // in Mode B slot 0 is still the only one.
  Choose(1, 0);
  EXPECT_EQ(Choose(0, 14), "Left key must be selected!");
  EXPECT_EQ(Cat(KeyGroup::ModeA, 0), 0);
  EXPECT_EQ(Cat(KeyGroup::ModeB, 0), 0);
}

TEST_F(ButtonMenu, ReplacingShiftChangesBothGroupsWithTheirParameters) {
  Choose(3, 14);
  Edit(KeyGroup::ModeB);
  dialogs.single = SingleKeyResult{"Space"};
  Choose(3, 11);
  for (KeyGroup g : {KeyGroup::ModeA, KeyGroup::ModeB}) {
    EXPECT_EQ(Cat(g, 3), 11);
    EXPECT_EQ(Caption(g, 3), "Single Key-Space");
    EXPECT_EQ(block.table(g).singleKeyUsage[3], 0x2C);
    EXPECT_EQ(EncodeButtonAction(block, g, 3), 0x002C0000u);
  }

  // The same for a DPI function picked in the sub-menu, selector included.
  Choose(6, 14);
  Edit(KeyGroup::ModeA);
  EXPECT_TRUE(OpenFunctionMenu(menu, target, 6));
  OnMenuHover(menu, 6, 6);
  ASSERT_TRUE(menu.dpiMenuOpen);
  OnDpiFunctionChosen(menu, target, 1);
  for (KeyGroup g : {KeyGroup::ModeA, KeyGroup::ModeB}) {
    EXPECT_EQ(Cat(g, 6), 6);
    EXPECT_EQ(Caption(g, 6), "DPI -");
    EXPECT_EQ(EncodeButtonAction(block, g, 6), 0x00020007u);
  }
}

TEST_F(ButtonMenu, ChoicesOutsideShiftChangeOnlyTheEditedGroup) {
  Edit(KeyGroup::ModeB);
  Choose(1, 0);
  dialogs.fire = FireKeyResult{55, "R-Button", 5, 0};
  Choose(0, 10);
  EXPECT_EQ(Cat(KeyGroup::ModeB, 0), 10);
  EXPECT_EQ(Caption(KeyGroup::ModeB, 0), "Fire Key-R-Button");
  EXPECT_EQ(EncodeButtonAction(block, KeyGroup::ModeB, 0), 0x0005F10Au);
  EXPECT_EQ(Cat(KeyGroup::ModeA, 0), 0);
  EXPECT_EQ(Caption(KeyGroup::ModeA, 0), "Left Click");
  EXPECT_EQ(block.table(KeyGroup::ModeA).fireKeyUsage[0], 0);
}

TEST_F(ButtonMenu, CancelledDialogChangesNothing) {
  const SettingsBlock before = block;
  const ButtonCaptions captionsBefore = captions;
  for (int d = 8; d <= 13; ++d) {
    Choose(4, d);
    EXPECT_EQ(menu.openSlot, -1);
  }
  EXPECT_EQ(dialogs.runs, 6);
  EXPECT_EQ(std::memcmp(&before, &block, sizeof block), 0);
  EXPECT_EQ(captions, captionsBefore);
}

TEST_F(ButtonMenu, DialogResultsBecomeColumnsAndCaptions) {
  dialogs.windows = WindowsKeyResult{2, "Calculator"};
  Choose(2, 8);
  EXPECT_EQ(Caption(KeyGroup::ModeA, 2), "Calculator");
  EXPECT_EQ(block.table(KeyGroup::ModeA).windowsIndex[2], 2);
  EXPECT_EQ(EncodeButtonAction(block, KeyGroup::ModeA, 2), 0x01920003u);

  dialogs.media = MediaKeyResult{5, "Vol+"};
  Choose(2, 9);
  EXPECT_EQ(Caption(KeyGroup::ModeA, 2), "Multimedia-Vol+");
  EXPECT_EQ(block.table(KeyGroup::ModeA).mediaIndex[2], 5);
  EXPECT_EQ(EncodeButtonAction(block, KeyGroup::ModeA, 2), 0x00E90003u);

  dialogs.macro = MacroKeyResult{11, 3, "Burst"};
  Choose(2, 13);
  EXPECT_EQ(Caption(KeyGroup::ModeA, 2), "Macro Key-Burst");
  EXPECT_EQ(EncodeButtonAction(block, KeyGroup::ModeA, 2), 0x000C0209u);

  // A thirteenth macro does not exist on the mouse: nothing changes.
  dialogs.macro = MacroKeyResult{12, 1, "Extra"};
  Choose(2, 13);
  EXPECT_EQ(Caption(KeyGroup::ModeA, 2), "Macro Key-Burst");
  EXPECT_EQ(block.table(KeyGroup::ModeA).macroIndex[2], 11);

  // Unknown key name: stored as 0, still shown.
  dialogs.single = SingleKeyResult{"Apps"};
  Choose(2, 11);
  EXPECT_EQ(Caption(KeyGroup::ModeA, 2), "Single Key-Apps");
  EXPECT_EQ(EncodeButtonAction(block, KeyGroup::ModeA, 2), 0u);

  // Chinese captions use the Chinese entry texts.
  ButtonEditTarget chs{block, captions, UiLanguage::CHS};
  ASSERT_TRUE(AssignMultimedia(chs, 2, MediaKeyResult{4, ""}));
  EXPECT_EQ(Caption(KeyGroup::ModeA, 2), "多媒体-静音");
}

TEST_F(ButtonMenu, ComboCaptionsJoinTheKnownParts) {
  dialogs.combo = ComboKeyResult{"Left Ctrl", "Z", "", 0};
  Choose(9, 12);
  EXPECT_EQ(Caption(KeyGroup::ModeA, 9), "Combo Key-Left Ctrl+Z");
  EXPECT_EQ(EncodeButtonAction(block, KeyGroup::ModeA, 9), 0x001D0100u);

  const UiLanguage en = UiLanguage::EN;
  EXPECT_EQ(ComboKeyCaption(en, {"", "A", "B", -1}), "Combo Key-A+B");
  EXPECT_EQ(ComboKeyCaption(en, {"", "", "Delete", -1}), "Combo Key-Delete");
  EXPECT_EQ(ComboKeyCaption(en, {"", "", "", -1}), "Combo Key-");
  // A name the tables do not know has code 0 and is left out.
  EXPECT_EQ(ComboKeyCaption(en, {"Right Alt", "Apps", "Delete", 6}), "Combo Key-Right Alt+Delete");
}

TEST_F(ButtonMenu, OneListAtATimeAndTheDpiSubMenu) {
  EXPECT_TRUE(OpenFunctionMenu(menu, target, 3));
  EXPECT_TRUE(OpenFunctionMenu(menu, target, 4));
  EXPECT_TRUE(menu.IsOpen(4));
  EXPECT_FALSE(menu.IsOpen(3));
  OnMenuHover(menu, 4, 6);
  EXPECT_TRUE(menu.dpiMenuOpen);
  OnMenuHover(menu, 4, 10);
  EXPECT_FALSE(menu.dpiMenuOpen);
  // Clicking "DPI Switch" itself keeps the list open and changes nothing.
  EXPECT_TRUE(OnFunctionChosen(menu, target, 4, 6, dialogs));
  EXPECT_TRUE(menu.IsOpen(4));
  EXPECT_EQ(Cat(KeyGroup::ModeA, 4), 4);
  OnMenuHover(menu, 4, 6);
  OnDpiFunctionChosen(menu, target, 2);
  EXPECT_EQ(Cat(KeyGroup::ModeA, 4), 6);
  EXPECT_EQ(block.dpiSwitchSelector[0][4], 3);
  EXPECT_EQ(block.dpiSwitchSelector[1][4], 0);
  EXPECT_EQ(Caption(KeyGroup::ModeA, 4), "DPI Loop");
  EXPECT_EQ(menu.openSlot, -1);
  EXPECT_FALSE(menu.dpiMenuOpen);
  EXPECT_TRUE(OpenFunctionMenu(menu, target, 4));
  EXPECT_TRUE(menu.IsOpen(4));
  EXPECT_TRUE(OpenFunctionMenu(menu, target, 4));  // a second click on the box closes it
  EXPECT_EQ(menu.openSlot, -1);
}

TEST_F(ButtonMenu, DefaultRestoresBothGroupsAfterAThreeKeyCombination) {
  for (KeyGroup g : {KeyGroup::ModeB, KeyGroup::ModeA}) {
    Edit(g);
    dialogs.combo = ComboKeyResult{"Right Shift", "Q", "W", 5};
    Choose(8, 12);
    Choose(5, 15);
  }
  Edit(KeyGroup::ModeB);
  block.table(KeyGroup::ModeB).mediaUsage[3] = 0xAA;  // untouched by Default
  RestoreDefaultFunctions(block, captions, UiLanguage::EN);
  EXPECT_EQ(block.currentMode, 1);
  EXPECT_EQ(block.table(KeyGroup::ModeB).mediaUsage[3], 0xAA);
  for (KeyGroup g : {KeyGroup::ModeA, KeyGroup::ModeB}) {
    const ButtonTable& t = block.table(g);
    EXPECT_EQ(t.comboModifiers[8], 0x08);
    EXPECT_EQ(t.comboKey1[8], 0x07);
    EXPECT_EQ(t.comboKey2[8], 0x00);
    EXPECT_EQ(t.category[10], 15);
    EXPECT_EQ(t.category[11], 15);
    EXPECT_EQ(EncodeButtonAction(block, g, 8), 0x00070800u);
    EXPECT_EQ(EncodeButtonAction(block, g, 5), 0x00030007u);
    EXPECT_EQ(Caption(g, 8), "Combo Key-left Win+D");
    EXPECT_EQ(Caption(g, 5), "DPI Loop");
    EXPECT_EQ(Caption(g, 7), "Shift DPI");
    EXPECT_EQ(Caption(g, 11), "Key Off");
  }
}

TEST(FireKeyFields, SpeedAndTimesFallBackLikeTheDialog) {
  EXPECT_EQ(CheckFireSpeedText("3").replacementText, "5");
  EXPECT_EQ(CheckFireSpeedText("256").value, 5);
  EXPECT_EQ(CheckFireSpeedText("").value, 5);
  EXPECT_FALSE(CheckFireSpeedText("255").replaced);
  EXPECT_EQ(CheckFireSpeedText("32abc").value, 32);
  EXPECT_EQ(CheckFireTimesText("300").replacementText, "1");
  EXPECT_FALSE(CheckFireTimesText("0").replaced);
  // A digit run too long for an int must not overflow into a small number.
  EXPECT_EQ(CheckFireTimesText("99999999999999999999").value, 1);
}

}  // namespace
}  // namespace corvaline
