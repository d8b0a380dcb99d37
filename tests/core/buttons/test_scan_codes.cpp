#include <gtest/gtest.h>

#include "core/buttons/key_tables.h"
#include "core/buttons/scan_codes.h"

namespace corvaline {
namespace {

// evdev code -> HID keyboard usage of the same physical key (the kernel's
// own hid-input mapping, read the other way round).
struct Position {
  unsigned evdev;
  std::uint8_t usage;
};

constexpr Position kUsKeyboard[] = {
    // letters in keyboard rows, digits, the punctuation around them
    {16, 0x14}, {17, 0x1A}, {18, 0x08}, {19, 0x15}, {20, 0x17}, {21, 0x1C}, {22, 0x18},
    {23, 0x0C}, {24, 0x12}, {25, 0x13}, {30, 0x04}, {31, 0x16}, {32, 0x07}, {33, 0x09},
    {34, 0x0A}, {35, 0x0B}, {36, 0x0D}, {37, 0x0E}, {38, 0x0F}, {44, 0x1D}, {45, 0x1B},
    {46, 0x06}, {47, 0x19}, {48, 0x05}, {49, 0x11}, {50, 0x10},
    {2, 0x1E}, {10, 0x26}, {11, 0x27}, {12, 0x2D}, {13, 0x2E}, {26, 0x2F}, {27, 0x30},
    {43, 0x31}, {39, 0x33}, {40, 0x34}, {41, 0x35}, {51, 0x36}, {52, 0x37}, {53, 0x38},
    {1, 0x29}, {14, 0x2A}, {15, 0x2B}, {28, 0x28}, {57, 0x2C}, {58, 0x39},
    // left and right modifier pairs
    {29, 0xE0}, {97, 0xE4}, {42, 0xE1}, {54, 0xE5}, {56, 0xE2}, {100, 0xE6},
    {125, 0xE3}, {126, 0xE7},
    // function keys, editing block, arrows
    {59, 0x3A}, {68, 0x43}, {87, 0x44}, {88, 0x45}, {99, 0x46}, {70, 0x47}, {119, 0x48},
    {110, 0x49}, {102, 0x4A}, {104, 0x4B}, {111, 0x4C}, {107, 0x4D}, {109, 0x4E},
    {106, 0x4F}, {105, 0x50}, {108, 0x51}, {103, 0x52},
    // keypad
    {69, 0x53}, {98, 0x54}, {55, 0x55}, {74, 0x56}, {78, 0x57}, {96, 0x58}, {79, 0x59},
    {80, 0x5A}, {81, 0x5B}, {75, 0x5C}, {76, 0x5D}, {77, 0x5E}, {71, 0x5F}, {72, 0x60},
    {73, 0x61}, {82, 0x62}, {83, 0x63},
};

TEST(ScanCodes, EveryKeyOfAUsKeyboardNamesItsOwnPosition) {
  for (const Position& p : kUsKeyboard) {
    const std::string_view name = KeyNameFromXkbKeycode(p.evdev + kXkbKeycodeOffset);
    EXPECT_EQ(KeyNameToCode(name), p.usage) << "evdev " << p.evdev << " named '" << name << "'";
  }
}

TEST(ScanCodes, NamesFollowThePositionNotTheLabel) {
  // On AZERTY the key labelled A sits where US has Q: the mouse must send Q's
  // position, which the French layout turns back into an A.
  EXPECT_EQ(KeyNameFromXkbKeycode(16 + 8), "Q");
  EXPECT_EQ(KeyNameFromXkbKeycode(30 + 8), "A");
  // Names Windows gives but the table lacks encode as "no key".
  EXPECT_EQ(KeyNameFromXkbKeycode(127 + 8), "Application");
  EXPECT_EQ(KeyNameToCode(KeyNameFromXkbKeycode(183 + 8)), 0);
  EXPECT_EQ(KeyNameFromXkbKeycode(183 + 8), "F13");
  // Keycodes that are no key at all, or out of range, have no name.
  EXPECT_EQ(KeyNameFromXkbKeycode(0), "");
  EXPECT_EQ(KeyNameFromXkbKeycode(7), "");
  EXPECT_EQ(KeyNameFromXkbKeycode(100000), "");
}

}  // namespace
}  // namespace corvaline
