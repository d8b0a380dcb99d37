#include <gtest/gtest.h>

#include "core/buttons/button_action.h"
#include "core/buttons/button_assign.h"

namespace corvaline {
namespace {

constexpr KeyMatrix kDefaultMatrix = {0x00F00001, 0x00F10001, 0x00F20001, 0x01040007,
                                      0x00070800, 0x00030007, 0x0322F00A, 0x00030008,
                                      0x00F40001, 0x00F30001, 0,          0,
                                      0,          0,          0x00F70001, 0x00F80001};

SettingsBlock DefaultBlock() {
  SettingsBlock block{};
  ButtonCaptions captions;
  RestoreDefaultFunctions(block, captions, UiLanguage::EN);
  return block;
}

TEST(ButtonAction, DefaultAssignmentsGiveTheKnownMatrixInBothGroups) {
  const SettingsBlock block = DefaultBlock();
  EXPECT_EQ(BuildKeyMatrix(block, KeyGroup::ModeA), kDefaultMatrix);
  EXPECT_EQ(BuildKeyMatrix(block, KeyGroup::ModeB), kDefaultMatrix);
}

TEST(ButtonAction, AllZeroBlockMakesEveryButtonALeftButton) {
  const SettingsBlock block{};
  const KeyMatrix m = BuildKeyMatrix(block, KeyGroup::ModeA);
  for (int w = 0; w < 10; ++w) EXPECT_EQ(m[w], 0x00F00001u) << "word " << w;
  for (int w = 10; w < 14; ++w) EXPECT_EQ(m[w], 0u) << "word " << w;
  EXPECT_EQ(m[14], 0x00F70001u);
  EXPECT_EQ(m[15], 0x00F80001u);
}

// One slot, every category, with parameters that tell the columns apart.
TEST(ButtonAction, EveryCategoryEncodesItsOwnColumns) {
  SettingsBlock block{};
  ButtonTable& t = block.table(KeyGroup::ModeB);
  const int s = 4;
  t.windowsUsageLow[s] = 0x92;
  t.windowsUsageHigh[s] = 0x01;
  t.mediaUsage[s] = 0xE9;
  t.fireKeyUsage[s] = 0xF1;
  t.fireSpeed[s] = 5;
  t.fireTimes[s] = 0;
  t.singleKeyUsage[s] = 0x2C;
  t.comboModifiers[s] = 0x01;
  t.comboKey1[s] = 0x1D;
  t.comboKey2[s] = 0x00;
  t.macroIndex[s] = 11;
  t.macroRepeatMode[s] = 2;
  block.dpiSwitchSelector[1][s] = 4;  // Shift DPI in Mode B ...
  block.dpiSwitchSelector[0][s] = 3;  // ... and DPI Loop in Mode A must not leak in
  const std::uint32_t expected[] = {
      0x00F00001, 0x00F10001, 0x00F20001, 0x00F40001, 0x00F30001, 0x0322F00A,
      0x01040007, 0x00030008, 0x01920003, 0x00E90003,
      0x0005F10A, 0x002C0000, 0x001D0100, 0x000C0209, 0x00020008, 0x00000000};
  for (int c = 0; c < 16; ++c) {
    t.category[s] = static_cast<std::uint8_t>(c);
    EXPECT_EQ(EncodeButtonAction(block, KeyGroup::ModeB, s), expected[c]) << "category " << c;
    // The other group's slot is untouched: still the all-zero Left Click.
    EXPECT_EQ(EncodeButtonAction(block, KeyGroup::ModeA, s), 0x00F00001u);
  }
  // The mouse counts macros from 1: the first macro with mode 0.
  t.category[s] = 13;
  t.macroIndex[s] = 0;
  t.macroRepeatMode[s] = 0;
  EXPECT_EQ(EncodeButtonAction(block, KeyGroup::ModeB, s), 0x00010009u);
  for (std::uint8_t c : {16, 0x7F, 0xFF}) {
    t.category[s] = c;
    EXPECT_EQ(EncodeButtonAction(block, KeyGroup::ModeB, s), 0u) << "category " << int(c);
  }
}

TEST(ButtonAction, SlotsTravelInTheMousesOwnButtonOrder) {
  // Give every slot a distinct single key: slot s -> usage 0x10 + s.
  SettingsBlock block{};
  ButtonTable& t = block.table(KeyGroup::ModeA);
  for (int s = 0; s < kButtonSlots; ++s) {
    t.category[s] = 11;
    t.singleKeyUsage[s] = static_cast<std::uint8_t>(0x10 + s);
  }
  const int wordOfSlot[] = {0, 1, 2, 8, 9, 5, 6, 3, 4, 7};
  const KeyMatrix m = BuildKeyMatrix(block, KeyGroup::ModeA);
  for (int s = 0; s < 10; ++s) {
    EXPECT_EQ(m[wordOfSlot[s]], static_cast<std::uint32_t>(0x10 + s) << 16) << "slot " << s;
  }
  // Slots 10 and 11 never reach the mouse.
  for (int w = 10; w < 14; ++w) EXPECT_EQ(m[w], 0u);
  EXPECT_EQ(EncodeButtonAction(block, KeyGroup::ModeA, 10), 0u);
  EXPECT_EQ(EncodeButtonAction(block, KeyGroup::ModeA, -1), 0u);
}

TEST(ButtonAction, TablesAreModeAZeroModeBZeroInLittleEndian) {
  SettingsBlock block = DefaultBlock();
  // Fully assigned, different groups: tables 2 and 4 still stay zero.
  for (int s = 0; s < kButtonSlots; ++s) {
    block.buttons[0].category[s] = 14;
    block.buttons[1].category[s] = 5;
  }
  const KeyMatrixTables tables = BuildKeyMatrixTables(block);
  const KeyMatrixTable zero{};
  EXPECT_EQ(tables[1], zero);
  EXPECT_EQ(tables[3], zero);
  // Mode B word 0: Triple-click 0x0322F00A -> 0A F0 22 03.
  EXPECT_EQ(tables[2][0], 0x0A);
  EXPECT_EQ(tables[2][1], 0xF0);
  EXPECT_EQ(tables[2][2], 0x22);
  EXPECT_EQ(tables[2][3], 0x03);
  // Word 15 of either table: 0x00F80001 -> 01 00 F8 00.
  for (int table : {0, 2}) {
    EXPECT_EQ(tables[table][60], 0x01);
    EXPECT_EQ(tables[table][61], 0x00);
    EXPECT_EQ(tables[table][62], 0xF8);
    EXPECT_EQ(tables[table][63], 0x00);
  }
}

}  // namespace
}  // namespace corvaline
