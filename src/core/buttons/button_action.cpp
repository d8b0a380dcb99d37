#include "core/buttons/button_action.h"

#include "core/buttons/key_tables.h"

namespace corvaline {
namespace {

constexpr std::uint32_t Word(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3) {
  return static_cast<std::uint32_t>(b0) | (static_cast<std::uint32_t>(b1) << 8) |
         (static_cast<std::uint32_t>(b2) << 16) | (static_cast<std::uint32_t>(b3) << 24);
}

constexpr std::uint32_t MouseWord(std::uint8_t code) {
  return Word(action_type::kMouse, 0, code, 0);
}

// The mouse numbers its buttons differently from the labels of the Basic
// page: visible slot s travels in word kSlotToWord[s].
constexpr int kSlotToWord[kVisibleButtons] = {0, 1, 2, 8, 9, 5, 6, 3, 4, 7};

// Triple-click is a fire key fixed to the left button: speed 34, three shots.
constexpr std::uint8_t kTripleClickSpeed = 0x22;
constexpr std::uint8_t kTripleClickTimes = 3;

// Sub-codes of the special-function type.
constexpr std::uint8_t kSpecialShift = 0x02;
constexpr std::uint8_t kSpecialRgb = 0x03;

}  // namespace

std::uint32_t EncodeButtonAction(const SettingsBlock& block, KeyGroup group, int slot) {
  if (slot < 0 || slot >= kVisibleButtons) return 0;
  const ButtonTable& t = block.table(group);
  switch (static_cast<FunctionCategory>(t.category[slot])) {
    case FunctionCategory::LeftClick: return MouseWord(mouse_code::kLeft);
    case FunctionCategory::RightClick: return MouseWord(mouse_code::kRight);
    case FunctionCategory::MidClick: return MouseWord(mouse_code::kMiddle);
    case FunctionCategory::Forward: return MouseWord(mouse_code::kForward);
    case FunctionCategory::Backward: return MouseWord(mouse_code::kBackward);
    case FunctionCategory::TripleClick:
      return Word(action_type::kFire, mouse_code::kLeft, kTripleClickSpeed, kTripleClickTimes);
    case FunctionCategory::DpiSwitch: {
      const std::uint8_t selector = block.dpiSwitchSelector[static_cast<int>(group)][slot];
      const bool shiftDpi = selector == static_cast<std::uint8_t>(DpiSwitchFunction::ShiftDpi);
      return Word(action_type::kDpi, 0, selector, shiftDpi ? 1 : 0);
    }
    case FunctionCategory::RgbOnOff: return Word(action_type::kSpecial, 0, kSpecialRgb, 0);
    case FunctionCategory::Windows:
      return Word(action_type::kConsumer, 0, t.windowsUsageLow[slot], t.windowsUsageHigh[slot]);
    case FunctionCategory::Multimedia:
      return Word(action_type::kConsumer, 0, t.mediaUsage[slot], 0);
    case FunctionCategory::FireKey:
      return Word(action_type::kFire, t.fireKeyUsage[slot], t.fireSpeed[slot], t.fireTimes[slot]);
    case FunctionCategory::SingleKey:
      return Word(action_type::kKeyboard, 0, t.singleKeyUsage[slot], 0);
    case FunctionCategory::ComboKey:
      return Word(action_type::kKeyboard, t.comboModifiers[slot], t.comboKey1[slot],
                  t.comboKey2[slot]);
    case FunctionCategory::MacroKey:
      // The mouse counts macros from 1. Parameters are copied as stored: the
      // editing rules only ever store indexes 0..11.
      return Word(action_type::kMacro, t.macroRepeatMode[slot],
                  static_cast<std::uint8_t>(t.macroIndex[slot] + 1), 0);
    case FunctionCategory::Shift: return Word(action_type::kSpecial, 0, kSpecialShift, 0);
    case FunctionCategory::KeyOff: break;
  }
  return 0;  // Key Off and any category the program never writes
}

int KeyMatrixWordOfSlot(int slot) {
  if (slot < 0 || slot >= kVisibleButtons) return -1;
  return kSlotToWord[slot];
}

KeyMatrix BuildKeyMatrix(const SettingsBlock& block, KeyGroup group) {
  KeyMatrix matrix{};
  for (int s = 0; s < kVisibleButtons; ++s) matrix[kSlotToWord[s]] = EncodeButtonAction(block, group, s);
  // Words 14 and 15 are fixed mouse functions no user choice reaches.
  matrix[14] = MouseWord(mouse_code::kFixedWord14);
  matrix[15] = MouseWord(mouse_code::kFixedWord15);
  return matrix;
}

KeyMatrixTable SerializeKeyMatrix(const KeyMatrix& matrix) {
  KeyMatrixTable bytes{};
  for (int w = 0; w < kKeyMatrixWords; ++w) {
    for (int b = 0; b < 4; ++b) bytes[w * 4 + b] = static_cast<std::uint8_t>(matrix[w] >> (8 * b));
  }
  return bytes;
}

KeyMatrixTables BuildKeyMatrixTables(const SettingsBlock& block) {
  KeyMatrixTables tables{};  // tables 2 and 4 stay zero
  tables[0] = SerializeKeyMatrix(BuildKeyMatrix(block, KeyGroup::ModeA));
  tables[2] = SerializeKeyMatrix(BuildKeyMatrix(block, KeyGroup::ModeB));
  return tables;
}

}  // namespace corvaline
