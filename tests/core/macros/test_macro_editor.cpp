#include <gtest/gtest.h>

#include <cstring>

#include "core/i18n/ui_language.h"
#include "core/macros/macro_editor.h"
#include "core/macros/macro_encoder.h"
#include "core/macros/record_store.h"
#include "macro_test_support.h"

namespace corvaline {
namespace {

using macro_testing::Shown;
using macro_testing::MacroText;
using macro_testing::ScratchDir;
using macro_testing::WriteRecordIni;
using Items = std::vector<std::string>;
using macro_testing::Message;

class MacroEditorTest : public ::testing::Test {
 protected:
  void SetUp() override { SetCurrentLanguage(UiLanguage::EN); }

  MacroEditor& EditorWith(const std::vector<MacroText>& macros) {
    WriteRecordIni(ini, macros);
    editor.EnterPage();
    return editor;
  }

  ScratchDir dir;
  std::filesystem::path ini = dir / "record.ini";
  SettingsBlock settings{};
  MacroEditor editor{settings, ini};
};

TEST_F(MacroEditorTest, EnteringThePageLoadsTheFirstMacroAndItsLoopCount) {
  SetMacroLoopCount(settings, 0, 7);
  EditorWith({{"first", {"A   Dn", "50 ms", "A   Up"}}, {"second", {"B   Dn"}}});
  EXPECT_EQ(editor.MacroNames(), (Items{"first", "second"}));
  EXPECT_EQ(editor.SelectedMacro(), 0);
  EXPECT_EQ(editor.NameText(), "first");
  EXPECT_EQ(editor.Items(), (Items{"A   Dn", "50 ms", "A   Up"}));
  EXPECT_EQ(editor.LoopText(), "7");

  editor.SelectMacro(1);
  EXPECT_EQ(editor.Items(), (Items{"B   Dn"}));
  EXPECT_EQ(editor.LoopText(), "0");

  std::filesystem::remove(ini);
  editor.EnterPage();
  EXPECT_TRUE(editor.MacroNames().empty());
  EXPECT_EQ(editor.SelectedMacro(), -1);
  EXPECT_EQ(editor.LoopText(), "");
}

TEST_F(MacroEditorTest, NewMacroRefusesBlankOverLimitLongUnstorableAndDuplicateNames) {
  std::vector<MacroText> twelve;
  for (int i = 0; i < 12; ++i) twelve.push_back({"m" + std::to_string(i), {}});
  EditorWith(twelve);
  editor.SetNameText("brand new");
  EXPECT_EQ(Shown(editor.NewMacro()), (Message{"Macro numbers up to 12.", "Warning"}));
  EditorWith({{"Macro1", {"A   Dn"}}});

  const std::vector<std::pair<std::string, Message>> refused = {
      {"   ", {"Macro name is blank", "CORVALINEX01"}},
      {"MACRO1", {"Macro name already exists", "CORVALINEX01"}},
      {std::string(32, 'n'), {"Macro name is too long (at most 31 characters)", "Warning"}},
      {"a]b", {"Macro name cannot contain [ ] or control characters", "Warning"}}};
  for (const auto& [name, message] : refused) {
    editor.SetNameText(name);
    EXPECT_EQ(Shown(editor.NewMacro()), message) << name;
  }
  EXPECT_EQ(editor.MacroNames(), (Items{"Macro1"}));
  EXPECT_EQ(editor.Items(), (Items{"A   Dn"}));

  // 31 characters is the limit, counted in characters rather than bytes.
  std::string cjk;
  for (int i = 0; i < 31; ++i) cjk += "宏";
  editor.SetNameText(cjk);
  EXPECT_TRUE(editor.NewMacro());
  EXPECT_EQ(editor.SelectedMacro(), 1);
  EXPECT_TRUE(editor.Items().empty());
}

TEST_F(MacroEditorTest, SaveMovesTheMacroToTheEndAndItsLoopCountGoesWithIt) {
  WriteRecordIni(ini, {{"one", {"A   Dn"}}, {"two", {"B   Dn"}}, {"three", {"C   Dn"}}});
  ASSERT_TRUE(EncodeMacroArea(ini, settings));
  for (int k = 0; k < 3; ++k) SetMacroLoopCount(settings, k, k + 1);
  editor.EnterPage();

  editor.SelectMacro(0);
  editor.InsertMouseEvent(0);  // nothing selected, list not empty: nothing added
  editor.SelectItem(0);
  editor.InsertMouseEvent(3);  // "L-Button   Dn" after "A   Dn"
  ASSERT_TRUE(editor.SaveMacro());

  EXPECT_EQ(ListMacroNames(ini), (Items{"two", "three", "one"}));
  EXPECT_EQ(ReadMacroItems(ini, "one"), (Items{"A   Dn", "50 ms", "L-Button   Dn"}));
  EXPECT_EQ(settings.macroArea[0][3], 0x05);  // former macro 2 in block 0
  EXPECT_EQ(settings.macroArea[2][3], 0x04);  // the saved one last
  EXPECT_EQ(settings.macroArea[2][5], 0xF0);
  EXPECT_EQ(MacroLoopCount(settings, 0), 2);
  EXPECT_EQ(MacroLoopCount(settings, 2), 1);
  // The list follows the file, so the loop field edits the saved macro's block.
  EXPECT_EQ(editor.MacroNames(), (Items{"two", "three", "one"}));
  EXPECT_EQ(editor.SelectedMacro(), 2);
  editor.SetLoopCount("9");
  EXPECT_EQ(MacroLoopCount(settings, 2), 9);
  EXPECT_EQ(MacroLoopCount(settings, 0), 2);
}

TEST_F(MacroEditorTest, LoopCountsStayWithTheirMacrosThroughNewDeleteAndSave) {
  SetMacroLoopCount(settings, 0, 4);
  SetMacroLoopCount(settings, 1, 0);  // stale count of an unused block
  SetMacroLoopCount(settings, 2, 0);
  EditorWith({{"kept", {"A   Dn"}}});
  editor.SetNameText("draft");
  ASSERT_TRUE(editor.NewMacro());
  EXPECT_EQ(editor.LoopText(), "1");
  editor.SetNameText("saved");
  ASSERT_TRUE(editor.NewMacro());
  editor.InsertMouseEvent(1);
  editor.SetLoopCount("6");
  ASSERT_TRUE(editor.SaveMacro());
  // The unsaved name stays listed, after the saved ones.
  EXPECT_EQ(editor.MacroNames(), (Items{"kept", "saved", "draft"}));
  EXPECT_EQ(editor.SelectedMacro(), 1);
  EXPECT_EQ(MacroLoopCount(settings, 1), 6);
  EXPECT_EQ(MacroLoopCount(settings, 2), 1);

  // Delete changes record.ini at once but the MacroArea only at the next save.
  const SettingsBlock before = settings;
  editor.SelectMacro(0);
  ASSERT_TRUE(editor.DeleteMacro());
  EXPECT_EQ(ListMacroNames(ini), (Items{"saved"}));
  EXPECT_EQ(editor.MacroNames(), (Items{"saved", "draft"}));
  EXPECT_TRUE(editor.Items().empty());
  EXPECT_EQ(editor.NameText(), "");
  EXPECT_EQ(std::memcmp(&before, &settings, sizeof settings), 0);

  // Meanwhile block 0 still holds the deleted macro, yet "saved" shows and
  // keeps its own count.
  editor.SelectMacro(0);
  EXPECT_EQ(editor.LoopText(), "6");
  ASSERT_TRUE(editor.SaveMacro());
  EXPECT_EQ(MacroLoopCount(settings, 0), 6);
  EXPECT_EQ(settings.macroArea[0][3], 0xF1);

  // Saving a macro without items clears its whole block, loop count included.
  editor.SelectMacro(1);
  ASSERT_TRUE(editor.SaveMacro());
  EXPECT_EQ(ListMacroNames(ini), (Items{"saved", "draft"}));
  for (std::uint8_t b : settings.macroArea[1]) ASSERT_EQ(b, 0);
}

TEST_F(MacroEditorTest, SaveWarnsWhenTheMouseCannotHoldTheWholeMacro) {
  EditorWith({{"big", {}}});
  editor.SelectItem(-1);
  for (int i = 0; i < 140; ++i) editor.AppendItem(i % 2 ? "50 ms" : "Q   Dn");
  EXPECT_EQ(Shown(editor.SaveMacro()),
            (Message{"Macro \"big\" is too long for the mouse: only its first 63 events are stored.", "Warning"}));
  EXPECT_EQ(ReadMacroItems(ini, "big").size(), 140u);  // the text form keeps everything
}

TEST_F(MacroEditorTest, InsertMouseEventPositionsAndSelection) {
  EditorWith({{"m", {}}});
  editor.InsertMouseEvent(0);  // "L-Button Click" into the empty list
  EXPECT_EQ(editor.Items(), (Items{"L-Button   Dn", "50 ms", "L-Button   Up", "50 ms"}));
  EXPECT_EQ(editor.SelectedItem(), -1);
  EXPECT_EQ(editor.MouseEventHeader(), "L-Button Click");

  editor.SelectItem(0);
  editor.InsertMouseEvent(6);  // "R-Button   Up" after an event
  EXPECT_EQ(editor.Items()[1], "50 ms");
  EXPECT_EQ(editor.Items()[2], "R-Button   Up");
  EXPECT_EQ(editor.SelectedItem(), 2);

  editor.SelectItem(3);        // a delay step
  editor.InsertMouseEvent(2);  // "M-Button Click"
  EXPECT_EQ(editor.Items(), (Items{"L-Button   Dn", "50 ms", "R-Button   Up", "50 ms",
                                   "M-Button   Dn", "50 ms", "M-Button   Up", "50 ms",
                                   "L-Button   Up", "50 ms"}));
  EXPECT_EQ(editor.SelectedItem(), 4);
  EXPECT_FALSE(editor.MouseEventListOpen());

  // No macro selected: an empty list stays empty.
  std::filesystem::remove(ini);
  editor.EnterPage();
  editor.InsertMouseEvent(4);
  EXPECT_TRUE(editor.Items().empty());
  EXPECT_EQ(editor.MouseEventHeader(), "L-Button   Up");
}

TEST_F(MacroEditorTest, DelayStepsAndLoopCountsStayInRange) {
  EditorWith({{"m", {"A   Dn", "50 ms", "A   Up"}}});
  editor.SelectItem(0);
  EXPECT_FALSE(editor.CanEditDelay());
  editor.EditDelay({250, "250"});
  EXPECT_EQ(editor.Items()[0], "A   Dn");

  editor.SelectItem(1);
  const std::vector<std::pair<DelayResult, std::string>> cases = {
      {{5, "5"}, "20 ms"},         {{19, "19"}, "20 ms"},       {{20, "20"}, "20 ms"},
      {{250, "0250"}, "0250 ms"}, {{10000, "10000"}, "10000 ms"},
      {{20000, "20000"}, "10000 ms"}};
  for (const auto& [entered, expected] : cases) {
    editor.EditDelay(entered);
    EXPECT_EQ(editor.Items()[1], expected) << entered.text;
    EXPECT_EQ(editor.SelectedItem(), 1);
  }

  for (const char* bad : {"0", "70000", "", "-4"}) {
    SetMacroLoopCount(settings, 0, 77);
    editor.SetLoopCount(bad);
    EXPECT_EQ(editor.LoopText(), "1") << bad;
    EXPECT_EQ(MacroLoopCount(settings, 0), 1) << bad;
  }
  editor.SetLoopCount("65535");
  EXPECT_EQ(settings.macroArea[0][0], 0xFF);
  EXPECT_EQ(settings.macroArea[0][1], 0xFF);

  editor.SelectItem(2);
  editor.DeleteItem();
  EXPECT_EQ(editor.Items().size(), 2u);
  EXPECT_EQ(editor.SelectedItem(), -1);
}

}  // namespace
}  // namespace corvaline
