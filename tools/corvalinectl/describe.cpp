#include "describe.h"

#include <cstdio>

#include "core/buttons/button_action.h"
#include "core/buttons/key_tables.h"
#include "core/i18n/ui_strings.h"
#include "core/macros/macro_encoder.h"

namespace corvaline::cli {

std::string KeyName(std::uint8_t code) {
  for (const KeyNameEntry& e : KeyNameTable()) {
    if (e.code == code) return std::string(e.name);
  }
  char buf[8];
  std::snprintf(buf, sizeof buf, "0x%02X", code);
  return buf;
}

std::vector<MacroEvent> DecodeMacroBlock(const std::uint8_t (&block)[kMacroBlockSize]) {
  std::vector<MacroEvent> events;
  std::size_t i = kEventAreaOffset;
  while (i + 1 < kMacroBlockSize) {
    const std::uint8_t b0 = block[i];
    const std::uint8_t code = block[i + 1];
    if (b0 == 0 && code == 0) break;
    MacroEvent e;
    e.release = (b0 & kReleaseFlag) != 0;
    e.code = code;
    const bool longForm = i + 3 < kMacroBlockSize && block[i + 3] == kLongDelayMarker;
    if (longForm) {
      e.delayMs = (b0 & 0x7F) + block[i + 2] * 100;
      i += 4;
    } else {
      e.delayMs = (b0 & 0x7F) * 10;
      i += 2;
    }
    events.push_back(e);
  }
  return events;
}

}  // namespace corvaline::cli
