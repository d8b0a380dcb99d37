#include "describe.h"

#include <cstdio>

#include "core/buttons/button_action.h"
#include "core/buttons/key_tables.h"
#include "core/i18n/ui_strings.h"
#include "core/macros/macro_encoder.h"

namespace corvaline::cli {
namespace {

std::string Join(const std::vector<std::string>& parts, const char* glue) {
  std::string out;
  for (const std::string& p : parts) {
    if (p.empty()) continue;
    if (!out.empty()) out += glue;
    out += p;
  }
  return out;
}

std::string Parameters(const SettingsBlock& s, KeyGroup group, int slot, UiLanguage lang,
                       const std::vector<std::string>& macroNames) {
  const ButtonTable& t = s.table(group);
  switch (static_cast<FunctionCategory>(t.category[slot])) {
    case FunctionCategory::DpiSwitch:
      return DpiSelectorName(s.dpiSwitchSelector[static_cast<int>(group)][slot]);
    case FunctionCategory::Windows:
      return std::string(WindowsEntryText(t.windowsIndex[slot], lang));
    case FunctionCategory::Multimedia:
      return std::string(MediaEntryText(t.mediaIndex[slot], lang));
    case FunctionCategory::FireKey:
      return KeyName(t.fireKeyUsage[slot]) + " (speed " + std::to_string(t.fireSpeed[slot]) +
             ", times " + std::to_string(t.fireTimes[slot]) + ")";
    case FunctionCategory::SingleKey:
      return KeyName(t.singleKeyUsage[slot]);
    case FunctionCategory::ComboKey:
      return Join({ModifierNames(t.comboModifiers[slot]),
                   t.comboKey1[slot] ? KeyName(t.comboKey1[slot]) : "",
                   t.comboKey2[slot] ? KeyName(t.comboKey2[slot]) : ""},
                  "+");
    case FunctionCategory::MacroKey: {
      const int index = t.macroIndex[slot];
      std::string text = "macro " + std::to_string(index + 1);
      if (index < static_cast<int>(macroNames.size())) text += " \"" + macroNames[index] + "\"";
      return text + " (repeat mode " + std::to_string(t.macroRepeatMode[slot] + 1) + ")";
    }
    default:
      return {};
  }
}

}  // namespace

std::string KeyName(std::uint8_t code) {
  for (const KeyNameEntry& e : KeyNameTable()) {
    if (e.code == code) return std::string(e.name);
  }
  char buf[8];
  std::snprintf(buf, sizeof buf, "0x%02X", code);
  return buf;
}

std::string ModifierNames(std::uint8_t bits) {
  std::vector<std::string> names;
  for (const KeyNameEntry& e : ModifierTable()) {
    if (bits & e.code) names.emplace_back(e.name);
  }
  return Join(names, "+");
}

std::string DpiSelectorName(std::uint8_t selector) {
  switch (selector) {
    case 1: return "DPI +";
    case 2: return "DPI -";
    case 3: return "DPI Loop";
    case 4: return "Shift DPI";
    default: return {};
  }
}

std::string DescribeButton(const SettingsBlock& s, KeyGroup group, int slot, UiLanguage lang,
                           const std::vector<std::string>& macroNames) {
  const int category = s.table(group).category[slot];
  std::string name(CategoryName(category, lang));
  if (name.empty()) name = "unknown function " + std::to_string(category);
  const std::string params = Parameters(s, group, slot, lang, macroNames);
  return params.empty() ? name : name + ": " + params;
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
