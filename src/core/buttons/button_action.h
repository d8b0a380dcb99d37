// Button functions: the sixteen function categories, the DPI Switch selectors,
// and how one slot's assignment becomes the 32-bit word the mouse stores.
// Everything here is a pure function of a SettingsBlock.
#pragma once

#include <array>
#include <cstdint>

#include "core/settings/settings_block.h"

namespace corvaline {

// The code stored in a slot's `category` column; also the position of the
// entry in a button's function menu.
enum class FunctionCategory : std::uint8_t {
  LeftClick = 0,
  RightClick = 1,
  MidClick = 2,
  Forward = 3,
  Backward = 4,
  TripleClick = 5,
  DpiSwitch = 6,
  RgbOnOff = 7,
  Windows = 8,
  Multimedia = 9,
  FireKey = 10,
  SingleKey = 11,
  ComboKey = 12,
  MacroKey = 13,
  Shift = 14,
  KeyOff = 15,
};
inline constexpr int kFunctionCategories = 16;

// Values of `dpiSwitchSelector`.
enum class DpiSwitchFunction : std::uint8_t {
  DpiUp = 1,
  DpiDown = 2,
  DpiLoop = 3,
  ShiftDpi = 4,
};

// The word layout: b0 (least significant) is the action type.
namespace action_type {
inline constexpr std::uint8_t kKeyboard = 0x00;
inline constexpr std::uint8_t kMouse = 0x01;
inline constexpr std::uint8_t kConsumer = 0x03;
inline constexpr std::uint8_t kDpi = 0x07;
inline constexpr std::uint8_t kSpecial = 0x08;
inline constexpr std::uint8_t kMacro = 0x09;
inline constexpr std::uint8_t kFire = 0x0A;
}  // namespace action_type

inline constexpr int kKeyMatrixWords = 16;
inline constexpr int kKeyMatrixTableBytes = kKeyMatrixWords * 4;
inline constexpr int kKeyMatrixTables = 4;

using KeyMatrix = std::array<std::uint32_t, kKeyMatrixWords>;
// One table as the mouse takes it: sixteen little-endian words.
using KeyMatrixTable = std::array<std::uint8_t, kKeyMatrixTableBytes>;
// Tables 1..4 at positions 0..3.
using KeyMatrixTables = std::array<KeyMatrixTable, kKeyMatrixTables>;
static_assert(sizeof(KeyMatrixTable) == 64);

// The word of one button slot (0..9) of a key group. Unknown categories and
// out-of-range slots give 0, the disabled button.
std::uint32_t EncodeButtonAction(const SettingsBlock& block, KeyGroup group, int slot);

// The sixteen words of a key group: slots 0..9 in the mouse's own button order,
// words 10..13 zero, words 14 and 15 fixed.
KeyMatrix BuildKeyMatrix(const SettingsBlock& block, KeyGroup group);

// KeyMatrix word index that carries each visible slot.
int KeyMatrixWordOfSlot(int slot);

// Sixteen words as 64 bytes, each word little-endian.
KeyMatrixTable SerializeKeyMatrix(const KeyMatrix& matrix);

// The four tables the KeyMatrix write sends: Mode A, zeros, Mode B, zeros.
KeyMatrixTables BuildKeyMatrixTables(const SettingsBlock& block);

}  // namespace corvaline
