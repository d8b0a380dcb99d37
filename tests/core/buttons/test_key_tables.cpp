#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/buttons/key_tables.h"

namespace corvaline {
namespace {

TEST(KeyTables, NamesThatAreEasyToGetWrong) {
  EXPECT_EQ(KeyNameToCode("Space"), 0x2C);
  EXPECT_EQ(KeyNameToCode("Num Del"), 0x63);
  EXPECT_EQ(KeyNameToCode("Eurpo(Note 2)"), 0x32);
  EXPECT_EQ(KeyNameToCode("\\"), 0x31);
  EXPECT_EQ(KeyNameToCode("'"), 0x34);
  EXPECT_EQ(KeyNameToCode("`"), 0x35);
  EXPECT_EQ(KeyNameToCode("Left Windows"), 0xE3);
  EXPECT_EQ(KeyNameToCode("Right Windows"), 0xE7);
  EXPECT_EQ(KeyNameToCode("Ctrl"), 0xE0);
  EXPECT_EQ(KeyNameToCode("Right Ctrl"), 0xE4);
  EXPECT_EQ(KeyNameToCode("M-Button"), 0xF2);
  EXPECT_EQ(KeyNameToCode("0"), 0x27);
  EXPECT_EQ(KeyNameToCode("Num 0"), 0x62);
  EXPECT_EQ(KeyNameToCode("F12"), 0x45);
  EXPECT_EQ(KeyNameToCode("Page Down"), 0x4E);
}

TEST(KeyTables, LookupsAreExactAndCaseSensitive) {
  // Modifier names and key names are separate tables.
  EXPECT_EQ(KeyNameToCode("Left Ctrl"), 0);
  EXPECT_EQ(ModifierNameToBits("Ctrl"), 0);
  EXPECT_EQ(ModifierNameToBits("Left Windows"), 0);
  for (std::string_view bad : {"", "a", "space", "Space ", " Space", "F13", "Eurpo", "B4-Button",
                               "Apps", "SPACE"}) {
    EXPECT_EQ(KeyNameToCode(bad), 0) << '"' << bad << '"';
  }
  EXPECT_EQ(ModifierNameToBits(""), 0);
  EXPECT_EQ(ModifierNameToBits("left ctrl"), 0);
  const std::pair<const char*, int> modifiers[] = {
      {"Left Ctrl", 0x01},  {"Left Shift", 0x02},  {"Left Alt", 0x04},  {"Left Win", 0x08},
      {"Right Ctrl", 0x10}, {"Right Shift", 0x20}, {"Right Alt", 0x40}, {"Right Win", 0x80}};
  for (const auto& [name, bits] : modifiers) EXPECT_EQ(ModifierNameToBits(name), bits) << name;
}

TEST(KeyTables, KeyNameTableIsComplete) {
  const auto table = KeyNameTable();
  ASSERT_EQ(table.size(), 107u);
  std::set<std::string_view> names;
  std::set<int> codes;
  for (const KeyNameEntry& e : table) {
    names.insert(e.name);
    codes.insert(e.code);
    // Every name finds its own code, so no earlier entry shadows it.
    EXPECT_EQ(KeyNameToCode(e.name), e.code) << e.name;
  }
  EXPECT_EQ(names.size(), 107u);
  EXPECT_EQ(codes.size(), 107u);
  // 0x04..0x63 with no gap, the eight modifier keys, three buttons.
  for (int c = 0x04; c <= 0x63; ++c) EXPECT_TRUE(codes.count(c)) << std::hex << c;
  for (int c = 0xE0; c <= 0xE7; ++c) EXPECT_TRUE(codes.count(c)) << std::hex << c;
  for (int c = 0xF0; c <= 0xF2; ++c) EXPECT_TRUE(codes.count(c)) << std::hex << c;
}

TEST(KeyTables, FireKeyList) {
  EXPECT_EQ(FireKeyTable().size(), 61u);
  EXPECT_EQ(FireKeyCodeAt(0), 0x04);
  EXPECT_EQ(FireKeyCodeAt(25), 0x1D);
  EXPECT_EQ(FireKeyCodeAt(35), 0x27);
  EXPECT_EQ(FireKeyCodeAt(36), 0xE0);
  EXPECT_EQ(FireKeyCodeAt(38), 0xE2);
  EXPECT_EQ(FireKeyCodeAt(39), 0xE4);  // R-CTRL skips the left Windows key
  EXPECT_EQ(FireKeyCodeAt(40), 0xE5);
  EXPECT_EQ(FireKeyCodeAt(41), 0xE6);
  EXPECT_EQ(FireKeyCodeAt(42), 0x3A);
  EXPECT_EQ(FireKeyCodeAt(53), 0x45);
  EXPECT_EQ(FireKeyCodeAt(54), 0xF0);
  EXPECT_EQ(FireKeyCodeAt(58), 0xF4);
  EXPECT_EQ(FireKeyNameAt(58), "B5-Button");
  EXPECT_EQ(FireKeyCodeAt(60), 0xF6);
  EXPECT_EQ(FireKeyNameAt(60), "R-Tilt Wheel");
  EXPECT_EQ(FireKeyCodeAt(61), 0);
  EXPECT_EQ(FireKeyCodeAt(-1), 0);
  EXPECT_EQ(FireKeyNameAt(61), "");
}

TEST(KeyTables, MediaAndWindowsLists) {
  const int media[] = {0xB5, 0xB6, 0xB7, 0xCD, 0xE2, 0xE9, 0xEA};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(MediaUsageAt(i), media[i]) << i;
  EXPECT_EQ(MediaUsageAt(7), 0);
  EXPECT_EQ(MediaUsageAt(-1), 0);

  const int windows[] = {0x0183, 0x018A, 0x0192, 0x0194, 0x0221, 0x0223,
                         0x0224, 0x0225, 0x0226, 0x0227, 0x022A};
  for (int i = 0; i < 11; ++i) {
    EXPECT_EQ(WindowsUsageLowAt(i) | (WindowsUsageHighAt(i) << 8), windows[i]) << i;
  }
  EXPECT_EQ(WindowsUsageHighAt(3), 0x01);
  EXPECT_EQ(WindowsUsageLowAt(10), 0x2A);
  EXPECT_EQ(WindowsUsageHighAt(10), 0x02);
  EXPECT_EQ(WindowsUsageLowAt(11), 0);
  EXPECT_EQ(WindowsUsageHighAt(11), 0);
  EXPECT_EQ(WindowsUsageHighAt(-5), 0);
}

}  // namespace
}  // namespace corvaline
