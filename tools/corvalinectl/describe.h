// A configuration in words: what each button does, and the macros' events.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/i18n/ui_language.h"
#include "core/settings/settings_block.h"

namespace corvaline::cli {

// The name of a keyboard usage or mouse-function code in the key-name table,
// or "0xNN" when it has none.
std::string KeyName(std::uint8_t code);
// "Left Ctrl+Left Shift" for modifier bits; empty for 0.
std::string ModifierNames(std::uint8_t bits);

// What a slot does, in words, e.g. "Combo Key: Left Ctrl+Z", "Fire Key: A
// (speed 10, times 3)", "Macro Key: macro 2 (repeat mode 1)".
std::string DescribeButton(const SettingsBlock& s, KeyGroup group, int slot, UiLanguage lang,
                           const std::vector<std::string>& macroNames);

// "DPI +", "DPI -", "DPI Loop", "Shift DPI"; empty for any other value.
std::string DpiSelectorName(std::uint8_t selector);

struct MacroEvent {
  bool release = false;
  std::uint8_t code = 0;
  int delayMs = 0;  // the pause after the event
};
// The events of one 128-byte MacroBlock, up to its first empty record.
std::vector<MacroEvent> DecodeMacroBlock(const std::uint8_t (&block)[kMacroBlockSize]);

}  // namespace corvaline::cli
