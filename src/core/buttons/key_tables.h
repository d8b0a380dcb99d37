// The code tables that turn what the user picked (a key name captured from the
// keyboard, or an entry of a fixed list) into the bytes of a ButtonAction word
// or a macro event.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace corvaline {

// Mouse-function codes of this mouse (not HID usages).
namespace mouse_code {
inline constexpr std::uint8_t kLeft = 0xF0;
inline constexpr std::uint8_t kRight = 0xF1;
inline constexpr std::uint8_t kMiddle = 0xF2;
inline constexpr std::uint8_t kBackward = 0xF3;  // fourth button
inline constexpr std::uint8_t kForward = 0xF4;   // fifth button
inline constexpr std::uint8_t kTiltLeft = 0xF5;
inline constexpr std::uint8_t kTiltRight = 0xF6;
inline constexpr std::uint8_t kFixedWord14 = 0xF7;
inline constexpr std::uint8_t kFixedWord15 = 0xF8;
}  // namespace mouse_code

// A name as the platform reports it for an English layout, and its code.
struct KeyNameEntry {
  std::string_view name;
  std::uint8_t code;
};

inline constexpr int kKeyNameCount = 107;
inline constexpr int kModifierCount = 8;
inline constexpr int kFireKeyCount = 61;
inline constexpr int kMediaKeyCount = 7;
inline constexpr int kWindowsKeyCount = 11;

// The key-name table in HID keyboard-page order (keyboard usages, the eight
// modifier keys, then three mouse buttons).
std::span<const KeyNameEntry> KeyNameTable();
// The modifier names of the combination dialog with their modifier bits.
std::span<const KeyNameEntry> ModifierTable();
// The fire-key list: position = entry index, code = keyboard usage or
// mouse-function code.
std::span<const KeyNameEntry> FireKeyTable();

// Exact, case-sensitive whole-name lookups; 0 for any name not listed.
std::uint8_t KeyNameToCode(std::string_view name);
std::uint8_t ModifierNameToBits(std::string_view name);

// List lookups by entry position; 0 for a position outside the list.
std::uint8_t FireKeyCodeAt(int index);
std::uint8_t MediaUsageAt(int index);
std::uint8_t WindowsUsageLowAt(int index);
std::uint8_t WindowsUsageHighAt(int index);

// The name of a fire-key entry; empty outside the list.
std::string_view FireKeyNameAt(int index);

}  // namespace corvaline
