// The macros' events in words.
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
struct MacroEvent {
  bool release = false;
  std::uint8_t code = 0;
  int delayMs = 0;  // the pause after the event
};
// The events of one 128-byte MacroBlock, up to its first empty record.
std::vector<MacroEvent> DecodeMacroBlock(const std::uint8_t (&block)[kMacroBlockSize]);

}  // namespace corvaline::cli
