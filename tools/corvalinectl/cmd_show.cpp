// show: a configuration in readable form, or as JSON for scripts.
#include <cstdio>
#include <ostream>

#include "config_io.h"
#include "core/buttons/button_action.h"
#include "core/macros/macro_encoder.h"
#include "core/macros/record_store.h"
#include "core/profiles/function_words.h"
#include "core/profiles/profile.h"
#include "core/profiles/setting_words.h"
#include "core/settings/utf8_paths.h"
#include "core/settings/value_tables.h"
#include "describe.h"

namespace corvaline::cli {
namespace {

constexpr const char* kGroupNames[2] = {"Mode A", "Mode B"};

std::string Hex(std::uint32_t v, int digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%0*X", digits, v);
  return buf;
}

std::string EventText(const MacroEvent& e) {
  return KeyName(e.code) + (e.release ? "   Up" : "   Dn");
}

bool BlockUsed(const SettingsBlock& s, int k) {
  for (std::uint8_t b : s.macroArea[k]) {
    if (b) return true;
  }
  return false;
}

struct ShowContext {
  const SettingsStore& store;
  std::filesystem::path configBin;
  int sensorType;
  std::vector<std::string> macroNames;
};

void PrintButtons(std::ostream& out, const ShowContext& c) {
  const SettingsBlock& s = c.store.settings;
  for (int g = 0; g < 2; ++g) {
    const auto group = static_cast<KeyGroup>(g);
    out << "Key group " << kGroupNames[g] << (s.currentMode == g ? " (shown for editing)" : "")
        << '\n';
    for (int slot = 0; slot < kVisibleButtons; ++slot)
      out << "  button " << slot + 1 << ": " << FunctionWordsOf(s, group, slot, c.macroNames)
          << '\n';
    out << "  KeyMatrix:";
    for (std::uint32_t w : BuildKeyMatrix(s, group)) out << ' ' << Hex(w, 8);
    out << '\n';
  }
}

void PrintText(std::ostream& out, const ShowContext& c) {
  const SettingsBlock& s = c.store.settings;
  out << "config: " << Utf8FromPath(c.configBin) << " (first-run flag "
      << static_cast<int>(c.store.firstRunFlag) << ")\n";
  PrintButtons(out, c);
  out << "Report rate: " << ReportRateHz(s.reportRateCode) << " Hz (code "
      << static_cast<int>(s.reportRateCode) << ")\n";
  out << "DPI stages (sensor type " << c.sensorType << "):\n";
  for (int i = 0; i < kDpiStages; ++i) {
    const std::string_view label = DpiLabel(c.sensorType, s.dpiStageIndex[i]);
    // Levels count from 1, as `set dpi --level` takes them.
    out << "  stage " << i + 1 << ": " << (s.dpiStageEnabled[i] ? "on" : "off") << ", level "
        << s.dpiStageIndex[i] + 1 << " (" << (label.empty() ? "?" : std::string(label))
        << " DPI), colour " << ColourText(s.dpiStageColour[i]) << '\n';
  }
  // The tool's own words whatever the language, so that the line reads back.
  const LedBoxTexts led = LedBoxCaptions(s, UiLanguage::EN);
  const std::string_view effect = LedEffectWord(s.ledEffect);
  out << "Lighting: " << (effect.empty() ? "?" : ShellQuote(effect));
  if (!led.parameter.empty()) out << ", parameter " << ShellQuote(led.parameter);
  if (!led.option.empty()) out << ", option " << ShellQuote(led.option);
  out << "\nPointer: precision " << (s.pointerPrecision ? "on" : "off") << ", wheel page scroll "
      << (s.wheelPageScroll ? "on" : "off") << ", speed level " << int(s.pointerSpeedLevel)
      << ", wheel lines " << int(s.wheelScrollLines) << ", double-click ";
  if (s.doubleClickLevel >= 1 && s.doubleClickLevel <= kDoubleClickLevels)
    out << DoubleClickMsOfLevel(s.doubleClickLevel) << " ms\n";
  else
    out << "level " << int(s.doubleClickLevel) << " (not a step of the slider)\n";
  out << "Macros:\n";
  for (int k = 0; k < kMacroBlocks; ++k) {
    if (!BlockUsed(s, k)) continue;
    out << "  " << k + 1;
    if (k < static_cast<int>(c.macroNames.size())) out << " \"" << c.macroNames[k] << '"';
    out << ": loop " << MacroLoopCount(s, k) << ':';
    for (const MacroEvent& e : DecodeMacroBlock(s.macroArea[k])) {
      out << ' ' << EventText(e);
      if (e.delayMs) out << ", " << e.delayMs << " ms";
      out << ';';
    }
    out << '\n';
  }
}

}  // namespace

int RunShow(Invocation& inv) {
  if (WantsHelp(inv.args)) {
    inv.out << "usage: corvalinectl show [CONFIG.bin] [--json]\n"
               "Prints the configuration of CONFIG.bin (default: the program's own): both key\n"
               "groups with each button's function, the KeyMatrix words, report rate, DPI stages\n"
               "(values from the table of --sensor-type, default 0), lighting, pointer fields and\n"
               "the macros with their loop counts and events (names from the record.ini beside\n"
               "it). Each button's function and the lighting are printed in the words 'set'\n"
               "takes, in every language, so that a line reads back.\n"
               "--json prints the configuration as a JSON profile, the format of export.\n";
    return kExitOk;
  }
  const ParsedArgs args = ParseArgs(inv.args, {"--json"}, 1);
  const std::filesystem::path configBin = ConfigArgument(inv, args);
  const SettingsStore store = LoadConfigOrFail(configBin);
  ShowContext c{store, configBin, inv.global.sensorType >= 0 ? inv.global.sensorType : 0,
                ListMacroNames(configBin.parent_path() / "record.ini")};
  if (args.Has("--json")) {
    inv.out << ProfileToJson(ReadConfigurationOrFail(configBin));
  } else {
    PrintText(inv.out, c);
  }
  return kExitOk;
}

}  // namespace corvaline::cli
