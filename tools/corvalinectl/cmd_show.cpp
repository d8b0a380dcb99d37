// show: a configuration in readable form, or as JSON for scripts.
#include <cstdio>
#include <ostream>

#include "config_io.h"
#include "core/buttons/button_action.h"
#include "core/macros/macro_encoder.h"
#include "core/macros/record_store.h"
#include "core/settings/value_tables.h"
#include "describe.h"
#include "json.h"

namespace corvaline::cli {
namespace {

constexpr const char* kGroupNames[2] = {"Mode A", "Mode B"};

// Every column of a ButtonTable, so a script can rebuild the table.
constexpr std::pair<const char*, std::uint8_t (ButtonTable::*)[kButtonSlots]> kColumns[] = {
    {"category", &ButtonTable::category},
    {"mediaIndex", &ButtonTable::mediaIndex},
    {"mediaUsage", &ButtonTable::mediaUsage},
    {"windowsIndex", &ButtonTable::windowsIndex},
    {"windowsUsageLow", &ButtonTable::windowsUsageLow},
    {"windowsUsageHigh", &ButtonTable::windowsUsageHigh},
    {"fireKeyIndex", &ButtonTable::fireKeyIndex},
    {"fireKeyUsage", &ButtonTable::fireKeyUsage},
    {"fireSpeed", &ButtonTable::fireSpeed},
    {"fireTimes", &ButtonTable::fireTimes},
    {"singleKeyUsage", &ButtonTable::singleKeyUsage},
    {"comboModifiers", &ButtonTable::comboModifiers},
    {"comboKey1", &ButtonTable::comboKey1},
    {"comboKey2", &ButtonTable::comboKey2},
    {"macroIndex", &ButtonTable::macroIndex},
    {"macroRepeatMode", &ButtonTable::macroRepeatMode},
};

std::string Hex(std::uint32_t v, int digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%0*X", digits, v);
  return buf;
}

std::string Colour(const std::uint8_t (&rgb)[3]) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", rgb[0], rgb[1], rgb[2]);
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
  UiLanguage lang;
  std::vector<std::string> macroNames;
};

void PrintButtons(std::ostream& out, const ShowContext& c) {
  const SettingsBlock& s = c.store.settings;
  for (int g = 0; g < 2; ++g) {
    const auto group = static_cast<KeyGroup>(g);
    out << "Key group " << kGroupNames[g] << (s.currentMode == g ? " (shown for editing)" : "")
        << '\n';
    for (int slot = 0; slot < kVisibleButtons; ++slot)
      out << "  button " << slot + 1 << ": " << DescribeButton(s, group, slot, c.lang, c.macroNames)
          << '\n';
    out << "  KeyMatrix:";
    for (std::uint32_t w : BuildKeyMatrix(s, group)) out << ' ' << Hex(w, 8);
    out << '\n';
  }
}

void PrintText(std::ostream& out, const ShowContext& c) {
  const SettingsBlock& s = c.store.settings;
  out << "config: " << c.configBin.string() << " (first-run flag "
      << static_cast<int>(c.store.firstRunFlag) << ")\n";
  PrintButtons(out, c);
  out << "Report rate: " << ReportRateHz(s.reportRateCode) << " Hz (code "
      << static_cast<int>(s.reportRateCode) << ")\n";
  out << "DPI stages (sensor type " << c.sensorType << "):\n";
  for (int i = 0; i < kDpiStages; ++i) {
    const std::string_view label = DpiLabel(c.sensorType, s.dpiStageIndex[i]);
    out << "  stage " << i + 1 << ": " << (s.dpiStageEnabled[i] ? "on" : "off") << ", "
        << (label.empty() ? "?" : std::string(label)) << " DPI (index "
        << static_cast<int>(s.dpiStageIndex[i]) << "), colour " << Colour(s.dpiStageColour[i])
        << '\n';
  }
  const LedBoxTexts led = LedBoxCaptions(s, c.lang);
  out << "Lighting: " << led.effect;
  if (!led.parameter.empty()) out << ", parameter " << led.parameter;
  if (!led.option.empty()) out << ", option " << led.option;
  out << "\nPointer: precision " << (s.pointerPrecision ? "on" : "off") << ", wheel page scroll "
      << (s.wheelPageScroll ? "on" : "off") << ", speed level " << int(s.pointerSpeedLevel)
      << ", wheel lines " << int(s.wheelScrollLines) << ", double-click level "
      << int(s.doubleClickLevel) << '\n';
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

void JsonButtons(JsonWriter& j, const ShowContext& c) {
  const SettingsBlock& s = c.store.settings;
  j.Key("keyGroups").BeginArray();
  for (int g = 0; g < 2; ++g) {
    const auto group = static_cast<KeyGroup>(g);
    const KeyMatrix matrix = BuildKeyMatrix(s, group);
    j.BeginObject().Field("name", kGroupNames[g]).Key("buttons").BeginArray();
    for (int slot = 0; slot < kButtonSlots; ++slot) {
      j.BeginObject().Field("slot", slot).Field("visible", slot < kVisibleButtons);
      j.Field("function", DescribeButton(s, group, slot, c.lang, c.macroNames));
      j.Field("dpiSwitchSelector", static_cast<int>(s.dpiSwitchSelector[g][slot]));
      if (slot < kVisibleButtons) j.Field("word", Hex(EncodeButtonAction(s, group, slot), 8));
      for (const auto& [name, column] : kColumns) j.Field(name, static_cast<int>((s.table(group).*column)[slot]));
      j.EndObject();
    }
    j.EndArray().Key("keyMatrix").BeginArray();
    for (std::uint32_t w : matrix) j.Value(Hex(w, 8));
    j.EndArray().EndObject();
  }
  j.EndArray();
}

void JsonRest(JsonWriter& j, const ShowContext& c) {
  const SettingsBlock& s = c.store.settings;
  j.Key("reportRate").BeginObject().Field("code", int(s.reportRateCode))
      .Field("hz", ReportRateHz(s.reportRateCode)).EndObject();
  j.Key("dpi").BeginObject().Field("sensorType", c.sensorType).Key("stages").BeginArray();
  for (int i = 0; i < kDpiStages; ++i) {
    j.BeginObject().Field("stage", i + 1).Field("enabled", s.dpiStageEnabled[i] != 0)
        .Field("index", int(s.dpiStageIndex[i])).Field("dpi", DpiLabel(c.sensorType, s.dpiStageIndex[i]))
        .Field("colour", Colour(s.dpiStageColour[i])).EndObject();
  }
  j.EndArray().EndObject();
  const LedBoxTexts led = LedBoxCaptions(s, c.lang);
  j.Key("lighting").BeginObject().Field("effect", int(s.ledEffect)).Field("effectName", led.effect)
      .Field("parameter", led.parameter).Field("option", led.option)
      .Field("standardBrightness", int(s.ledStandardBrightness))
      .Field("respirationSpeed", int(s.ledRespirationSpeed)).Field("neonPeriod", int(s.ledNeonPeriod))
      .Field("standardOption", int(s.ledStandardOption))
      .Field("respirationOption", int(s.ledRespirationOption))
      .Field("neonOption", int(s.ledNeonOption)).EndObject();
  j.Key("pointer").BeginObject().Field("precision", int(s.pointerPrecision))
      .Field("wheelPageScroll", int(s.wheelPageScroll)).Field("speedLevel", int(s.pointerSpeedLevel))
      .Field("wheelScrollLines", int(s.wheelScrollLines))
      .Field("doubleClickLevel", int(s.doubleClickLevel)).EndObject();
  j.Field("currentMode", int(s.currentMode));
  j.Key("macros").BeginArray();
  for (int k = 0; k < kMacroBlocks; ++k) {
    j.BeginObject().Field("number", k + 1);
    j.Key("name");
    if (k < static_cast<int>(c.macroNames.size())) j.Value(c.macroNames[k]); else j.Null();
    j.Field("loopCount", MacroLoopCount(s, k)).Key("events").BeginArray();
    for (const MacroEvent& e : DecodeMacroBlock(s.macroArea[k])) {
      j.BeginObject().Field("item", EventText(e)).Field("code", int(e.code))
          .Field("delayMs", e.delayMs).EndObject();
    }
    j.EndArray().EndObject();
  }
  j.EndArray();
}

}  // namespace

int RunShow(Invocation& inv) {
  if (WantsHelp(inv.args)) {
    inv.out << "usage: corvalinectl show [CONFIG.bin] [--json]\n"
               "Prints the configuration of CONFIG.bin (default: the program's own): both key\n"
               "groups with each button's function, the KeyMatrix words, report rate, DPI stages\n"
               "(values from the table of --sensor-type, default 0), lighting, pointer fields and\n"
               "the macros with their loop counts and events (names from the record.ini beside\n"
               "it). --json prints every field for scripts, including each button's raw columns.\n";
    return kExitOk;
  }
  const ParsedArgs args = ParseArgs(inv.args, {"--json"}, 1);
  const std::filesystem::path configBin = ConfigArgument(inv, args);
  const SettingsStore store = LoadConfigOrFail(configBin);
  ShowContext c{store, configBin, inv.global.sensorType >= 0 ? inv.global.sensorType : 0,
                inv.global.lang ? *inv.global.lang : UiLanguage::EN,
                ListMacroNames(configBin.parent_path() / "record.ini")};
  if (!inv.global.lang) c.lang = OutputLanguage(inv.global);
  if (args.Has("--json")) {
    JsonWriter j(inv.out);
    j.BeginObject().Field("config", configBin.string())
        .Field("firstRunFlag", int(store.firstRunFlag));
    JsonButtons(j, c);
    JsonRest(j, c);
    j.EndObject();
  } else {
    PrintText(inv.out, c);
  }
  return kExitOk;
}

}  // namespace corvaline::cli
