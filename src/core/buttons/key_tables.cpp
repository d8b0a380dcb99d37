#include "core/buttons/key_tables.h"

#include <array>

namespace corvaline {
namespace {

// Names as the platform's key-name function spells them for an English layout,
// in HID keyboard-page order. "Eurpo(Note 2)" is the non-US #/~ key (0x32),
// spelled the way the platform reports it.
constexpr std::array<KeyNameEntry, kKeyNameCount> kKeyNames{{
    {"A", 0x04}, {"B", 0x05}, {"C", 0x06}, {"D", 0x07}, {"E", 0x08}, {"F", 0x09},
    {"G", 0x0A}, {"H", 0x0B}, {"I", 0x0C}, {"J", 0x0D}, {"K", 0x0E}, {"L", 0x0F},
    {"M", 0x10}, {"N", 0x11}, {"O", 0x12}, {"P", 0x13}, {"Q", 0x14}, {"R", 0x15},
    {"S", 0x16}, {"T", 0x17}, {"U", 0x18}, {"V", 0x19}, {"W", 0x1A}, {"X", 0x1B},
    {"Y", 0x1C}, {"Z", 0x1D},
    {"1", 0x1E}, {"2", 0x1F}, {"3", 0x20}, {"4", 0x21}, {"5", 0x22},
    {"6", 0x23}, {"7", 0x24}, {"8", 0x25}, {"9", 0x26}, {"0", 0x27},
    {"Enter", 0x28}, {"Esc", 0x29}, {"Backspace", 0x2A}, {"Tab", 0x2B}, {"Space", 0x2C},
    {"-", 0x2D}, {"=", 0x2E}, {"[", 0x2F}, {"]", 0x30}, {"\\", 0x31},
    {"Eurpo(Note 2)", 0x32},
    {";", 0x33}, {"'", 0x34}, {"`", 0x35}, {",", 0x36}, {".", 0x37}, {"/", 0x38},
    {"Caps Lock", 0x39},
    {"F1", 0x3A}, {"F2", 0x3B}, {"F3", 0x3C}, {"F4", 0x3D}, {"F5", 0x3E}, {"F6", 0x3F},
    {"F7", 0x40}, {"F8", 0x41}, {"F9", 0x42}, {"F10", 0x43}, {"F11", 0x44}, {"F12", 0x45},
    {"Prnt Scrn", 0x46}, {"Scroll Lock", 0x47}, {"Pause", 0x48},
    {"Insert", 0x49}, {"Home", 0x4A}, {"Page Up", 0x4B},
    {"Delete", 0x4C}, {"End", 0x4D}, {"Page Down", 0x4E},
    {"Right", 0x4F}, {"Left", 0x50}, {"Down", 0x51}, {"Up", 0x52},
    {"Num Lock", 0x53}, {"Num /", 0x54}, {"Num *", 0x55}, {"Num -", 0x56},
    {"Num +", 0x57}, {"Num Enter", 0x58},
    {"Num 1", 0x59}, {"Num 2", 0x5A}, {"Num 3", 0x5B}, {"Num 4", 0x5C}, {"Num 5", 0x5D},
    {"Num 6", 0x5E}, {"Num 7", 0x5F}, {"Num 8", 0x60}, {"Num 9", 0x61}, {"Num 0", 0x62},
    {"Num Del", 0x63},
    // Left-hand modifiers: the platform names the left Ctrl, Shift and Alt
    // without a side, but the left Windows key with one.
    {"Ctrl", 0xE0}, {"Shift", 0xE1}, {"Alt", 0xE2}, {"Left Windows", 0xE3},
    {"Right Ctrl", 0xE4}, {"Right Shift", 0xE5}, {"Right Alt", 0xE6}, {"Right Windows", 0xE7},
    {"L-Button", 0xF0}, {"R-Button", 0xF1}, {"M-Button", 0xF2},
}};

// The HID boot-keyboard modifier byte, one bit per key.
constexpr std::array<KeyNameEntry, kModifierCount> kModifiers{{
    {"Left Ctrl", 0x01}, {"Left Shift", 0x02}, {"Left Alt", 0x04}, {"Left Win", 0x08},
    {"Right Ctrl", 0x10}, {"Right Shift", 0x20}, {"Right Alt", 0x40}, {"Right Win", 0x80},
}};

constexpr std::array<KeyNameEntry, kFireKeyCount> kFireKeys{{
    {"A", 0x04}, {"B", 0x05}, {"C", 0x06}, {"D", 0x07}, {"E", 0x08}, {"F", 0x09},
    {"G", 0x0A}, {"H", 0x0B}, {"I", 0x0C}, {"J", 0x0D}, {"K", 0x0E}, {"L", 0x0F},
    {"M", 0x10}, {"N", 0x11}, {"O", 0x12}, {"P", 0x13}, {"Q", 0x14}, {"R", 0x15},
    {"S", 0x16}, {"T", 0x17}, {"U", 0x18}, {"V", 0x19}, {"W", 0x1A}, {"X", 0x1B},
    {"Y", 0x1C}, {"Z", 0x1D},
    {"1", 0x1E}, {"2", 0x1F}, {"3", 0x20}, {"4", 0x21}, {"5", 0x22},
    {"6", 0x23}, {"7", 0x24}, {"8", 0x25}, {"9", 0x26}, {"0", 0x27},
    {"L-CTRL", 0xE0}, {"L-SHIFT", 0xE1}, {"L-ALT", 0xE2},
    {"R-CTRL", 0xE4}, {"R-SHIFT", 0xE5}, {"R-ALT", 0xE6},
    {"F1", 0x3A}, {"F2", 0x3B}, {"F3", 0x3C}, {"F4", 0x3D}, {"F5", 0x3E}, {"F6", 0x3F},
    {"F7", 0x40}, {"F8", 0x41}, {"F9", 0x42}, {"F10", 0x43}, {"F11", 0x44}, {"F12", 0x45},
    {"L-Button", 0xF0}, {"R-Button", 0xF1}, {"M-Button", 0xF2},
    {"B4-Button", 0xF3}, {"B5-Button", 0xF4},
    {"L-Tilt Wheel", 0xF5}, {"R-Tilt Wheel", 0xF6},
}};

// Consumer-page usages: media keys fit in one byte, the Windows (application
// launch and browser) keys need two.
constexpr std::array<std::uint8_t, kMediaKeyCount> kMediaUsages{
    0xB5,  // Scan Next Track
    0xB6,  // Scan Previous Track
    0xB7,  // Stop
    0xCD,  // Play/Pause
    0xE2,  // Mute
    0xE9,  // Volume Increment
    0xEA,  // Volume Decrement
};

constexpr std::array<std::uint16_t, kWindowsKeyCount> kWindowsUsages{
    0x0183,  // AL Consumer Control Configuration
    0x018A,  // AL Email Reader
    0x0192,  // AL Calculator
    0x0194,  // AL Local Machine Browser
    0x0221,  // AC Search
    0x0223,  // AC Home
    0x0224,  // AC Back
    0x0225,  // AC Forward
    0x0226,  // AC Stop
    0x0227,  // AC Refresh
    0x022A,  // AC Bookmarks
};

// An initializer list shorter than its array would leave empty entries behind.
template <std::size_t N>
constexpr bool AllNamed(const std::array<KeyNameEntry, N>& table) {
  for (const KeyNameEntry& e : table) {
    if (e.name.empty() || e.code == 0) return false;
  }
  return true;
}
static_assert(AllNamed(kKeyNames) && AllNamed(kModifiers) && AllNamed(kFireKeys));

std::uint8_t Lookup(std::span<const KeyNameEntry> table, std::string_view name) {
  for (const KeyNameEntry& e : table) {
    if (e.name == name) return e.code;
  }
  return 0;
}

template <typename Array>
bool InRange(const Array& a, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < a.size();
}

}  // namespace

std::span<const KeyNameEntry> KeyNameTable() { return kKeyNames; }
std::span<const KeyNameEntry> ModifierTable() { return kModifiers; }
std::span<const KeyNameEntry> FireKeyTable() { return kFireKeys; }

std::uint8_t KeyNameToCode(std::string_view name) { return Lookup(kKeyNames, name); }
std::uint8_t ModifierNameToBits(std::string_view name) { return Lookup(kModifiers, name); }

std::uint8_t FireKeyCodeAt(int index) {
  return InRange(kFireKeys, index) ? kFireKeys[index].code : 0;
}

std::string_view FireKeyNameAt(int index) {
  return InRange(kFireKeys, index) ? kFireKeys[index].name : std::string_view{};
}

std::uint8_t MediaUsageAt(int index) {
  return InRange(kMediaUsages, index) ? kMediaUsages[index] : 0;
}

std::uint8_t WindowsUsageLowAt(int index) {
  return InRange(kWindowsUsages, index) ? static_cast<std::uint8_t>(kWindowsUsages[index] & 0xFF) : 0;
}

std::uint8_t WindowsUsageHighAt(int index) {
  return InRange(kWindowsUsages, index) ? static_cast<std::uint8_t>(kWindowsUsages[index] >> 8) : 0;
}

}  // namespace corvaline
