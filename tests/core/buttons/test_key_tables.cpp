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
  EXPECT_EQ(ModifierNameToBits("Left Ctrl"), 0x01);
  EXPECT_EQ(ModifierNameToBits("Left Win"), 0x08);
  EXPECT_EQ(ModifierNameToBits("Right Win"), 0x80);
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

TEST(KeyTables, ListLookupsAndTheirEnds) {
  EXPECT_EQ(FireKeyTable().size(), 61u);
  EXPECT_EQ(FireKeyCodeAt(38), 0xE2);  // L-ALT
  EXPECT_EQ(FireKeyCodeAt(39), 0xE4);  // R-CTRL: the list has no Windows keys
  EXPECT_EQ(FireKeyCodeAt(40), 0xE5);
  EXPECT_EQ(FireKeyCodeAt(42), 0x3A);  // F1
  EXPECT_EQ(FireKeyCodeAt(58), 0xF4);
  EXPECT_EQ(FireKeyNameAt(58), "B5-Button");
  EXPECT_EQ(FireKeyCodeAt(60), 0xF6);
  EXPECT_EQ(MediaUsageAt(3), 0xCD);
  EXPECT_EQ(WindowsUsageLowAt(3), 0x94);
  EXPECT_EQ(WindowsUsageHighAt(3), 0x01);
  EXPECT_EQ(WindowsUsageLowAt(4), 0x21);
  EXPECT_EQ(WindowsUsageHighAt(4), 0x02);
  EXPECT_EQ(WindowsUsageLowAt(10), 0x2A);
  EXPECT_EQ(WindowsUsageHighAt(10), 0x02);
  for (int outside : {-1, 61, 1000}) {
    EXPECT_EQ(FireKeyCodeAt(outside), 0);
    EXPECT_EQ(FireKeyNameAt(outside), "");
  }
  EXPECT_EQ(MediaUsageAt(7), 0);
  EXPECT_EQ(MediaUsageAt(-1), 0);
  EXPECT_EQ(WindowsUsageLowAt(11), 0);
  EXPECT_EQ(WindowsUsageHighAt(11), 0);
  EXPECT_EQ(WindowsUsageHighAt(-5), 0);
}

}  // namespace
}  // namespace corvaline
