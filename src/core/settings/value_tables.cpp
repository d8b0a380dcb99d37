#include "core/settings/value_tables.h"

#include <array>
#include <cstddef>

#include "core/i18n/ui_strings.h"

namespace corvaline {
namespace {

// ---- Report rate ----

struct RateRow {
  std::uint8_t code;
  int hz;
  MainText notice;
};
// In the order of the Basic page's stops: 125, 250, 500, 1000 Hz.
constexpr std::array<RateRow, 4> kRates{{
    {8, 125, MainText::NoteRate125},
    {4, 250, MainText::NoteRate250},
    {2, 500, MainText::NoteRate500},
    {1, 1000, MainText::NoteRate1000},
}};

// ---- DPI ----

struct SensorDpiLevels {
  int levels;
  std::array<std::string_view, kMaxDpiLevels> labels;
  std::array<std::uint8_t, kMaxDpiLevels> codes;  // the mouse's DPI step codes
};

constexpr std::array<SensorDpiLevels, 4> kDpiTables{{
    {12,
     {"250", "500", "750", "1000", "1250", "1500", "1750", "2000", "2500", "3000", "3500",
      "4000"},
     {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x25, 0x26, 0x27, 0x28}},
    {8,
     {"600", "800", "1000", "1200", "1600", "2000", "2400", "3200"},
     {0x01, 0x02, 0x03, 0x04, 0x05, 0x23, 0x24, 0x25}},
    {8,
     {"250", "500", "750", "1000", "1250", "1500", "2000", "2500"},
     {0x02, 0x04, 0x06, 0x08, 0x0A, 0x26, 0x28, 0x2A}},
    {8,
     {"400", "800", "1200", "1600", "2000", "2400", "2800", "3200"},
     {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08}},
}};

// The table of a sensor type, or nullptr when the type has none.
const SensorDpiLevels* TableOf(int sensorType) {
  if (sensorType < 0 || sensorType >= static_cast<int>(kDpiTables.size())) return nullptr;
  return &kDpiTables[static_cast<std::size_t>(sensorType)];
}

bool ValidStage(int stage) { return stage >= 0 && stage < kDpiStages; }

}  // namespace

int ReportRateHz(std::uint8_t code) {
  for (const RateRow& r : kRates) {
    if (r.code == code) return r.hz;
  }
  return 0;
}

std::uint8_t ReportRateCodeAt(int stop) {
  if (stop < 0 || stop >= static_cast<int>(kRates.size())) return 0;
  return kRates[static_cast<std::size_t>(stop)].code;
}

int ReportRateStop(std::uint8_t code) {
  for (std::size_t i = 0; i < kRates.size(); ++i) {
    if (kRates[i].code == code) return static_cast<int>(i);
  }
  return -1;
}

std::string_view ReportRateNotice(std::uint8_t code, UiLanguage lang) {
  const int stop = ReportRateStop(code);
  if (stop < 0) return {};
  return UiText(kRates[static_cast<std::size_t>(stop)].notice, lang);
}

int DpiTableLevels(int sensorType) {
  const SensorDpiLevels* t = TableOf(sensorType);
  return t ? t->levels : 0;
}

int DpiSliderSensorType(int sensorType) {
  return (sensorType >= 1 && sensorType <= 3) ? sensorType : 0;
}

int DpiSliderLevels(int sensorType) { return DpiTableLevels(DpiSliderSensorType(sensorType)); }

std::string_view DpiLabel(int sensorType, int index) {
  const SensorDpiLevels* t = TableOf(sensorType);
  if (!t || index < 0 || index >= t->levels) return {};
  return t->labels[static_cast<std::size_t>(index)];
}

std::uint8_t DpiCode(int sensorType, int index) {
  const SensorDpiLevels* t = TableOf(sensorType);
  if (!t || index < 0 || index >= t->levels) return 0;
  return t->codes[static_cast<std::size_t>(index)];
}

bool SetDpiLevel(SettingsBlock& s, int stage, int level) {
  if (!ValidStage(stage) || level < 1 || level > kMaxDpiLevels) return false;
  s.dpiStageIndex[stage] = static_cast<std::uint8_t>(level - 1);
  return true;
}

bool StageColourEditable(const SettingsBlock& s, int stage) {
  return ValidStage(stage) && s.dpiStageEnabled[stage] == 1;
}

bool SetStageColour(SettingsBlock& s, int stage, std::uint8_t red, std::uint8_t green,
                    std::uint8_t blue) {
  if (!StageColourEditable(s, stage)) return false;
  s.dpiStageColour[stage][0] = red;
  s.dpiStageColour[stage][1] = green;
  s.dpiStageColour[stage][2] = blue;
  return true;
}

// ---- Lighting lists ----


namespace {

enum : std::uint8_t { kEffectOff = 0, kEffectStandard = 1, kEffectRespiration = 2, kEffectNeon = 3 };

constexpr std::array<MainText, kLedEffectNames> kEffectTexts{
    MainText::LedEffectOff, MainText::LedEffectStandard, MainText::LedEffectRespiration,
    MainText::LedEffectNeon};

constexpr std::array<MainText, kLedOptionNames> kOptionTexts{
    MainText::LedOptionNonDisplay, MainText::LedOptionRgbEffect, MainText::LedOptionRgbFlash,
    MainText::LedOptionRgbFixedOn};

constexpr std::array<std::string_view, kBrightnessLevels> kBrightness{
    "5%", "15%", "25%", "35%", "45%", "55%", "65%", "75%", "85%", "100%"};

constexpr std::array<std::string_view, kRespirationSpeeds> kSpeeds{"8S", "7S", "6S", "5S",
                                                                   "4S"};

// Entry k is (k + 1) half seconds; whole seconds are written without ".0".
constexpr std::array<std::string_view, kNeonPeriods> kPeriods{
    "0.5S",  "1S",  "1.5S",  "2S",  "2.5S",  "3S",  "3.5S",  "4S",  "4.5S",  "5S",
    "5.5S",  "6S",  "6.5S",  "7S",  "7.5S",  "8S",  "8.5S",  "9S",  "9.5S",  "10S",
    "10.5S", "11S", "11.5S", "12S", "12.5S", "13S", "13.5S", "14S", "14.5S", "15S"};

template <std::size_t N>
std::string_view At(const std::array<std::string_view, N>& list, int position) {
  if (position < 0 || position >= static_cast<int>(N)) return {};
  return list[static_cast<std::size_t>(position)];
}

// The option names an effect's option list offers start at this name.
int FirstOptionName(std::uint8_t ledEffect) {
  return ledEffect == kEffectRespiration ? 1 : 2;
}

}  // namespace

std::string_view LedEffectName(int position, UiLanguage lang) {
  if (position < 0 || position >= kLedEffectNames) return {};
  return UiText(kEffectTexts[static_cast<std::size_t>(position)], lang);
}

std::string_view LedOptionName(int position, UiLanguage lang) {
  if (position < 0 || position >= kLedOptionNames) return {};
  return UiText(kOptionTexts[static_cast<std::size_t>(position)], lang);
}

std::string_view BrightnessText(int position) { return At(kBrightness, position); }
std::string_view SpeedText(int position) { return At(kSpeeds, position); }
std::string_view PeriodText(int position) { return At(kPeriods, position); }

std::vector<std::string_view> EffectListEntries(UiLanguage lang) {
  return {LedEffectName(1, lang), LedEffectName(2, lang), LedEffectName(3, lang)};
}

std::vector<std::string_view> ParameterListEntries(std::uint8_t ledEffect) {
  switch (ledEffect) {
    case kEffectStandard: return {kBrightness.begin(), kBrightness.end()};
    case kEffectRespiration: return {kSpeeds.begin(), kSpeeds.end()};
    default: return {kPeriods.begin(), kPeriods.end()};
  }
}

std::vector<std::string_view> OptionListEntries(std::uint8_t ledEffect, UiLanguage lang) {
  if (ledEffect == kEffectStandard) return {};
  const int first = FirstOptionName(ledEffect);
  return {LedOptionName(first, lang), LedOptionName(first + 1, lang)};
}

int ParameterListHeight(std::uint8_t ledEffect) {
  switch (ledEffect) {
    case kEffectStandard: return 170;
    case kEffectRespiration: return 90;
    default: return 200;
  }
}

LedBoxTexts LedBoxCaptions(const SettingsBlock& s, UiLanguage lang) {
  LedBoxTexts t;
  t.effect = LedEffectName(s.ledEffect, lang);
  switch (s.ledEffect) {
    case kEffectStandard:
      t.parameter = BrightnessText(s.ledStandardBrightness);
      t.option = LedOptionName(s.ledStandardOption, lang);
      break;
    case kEffectRespiration:
      t.parameter = SpeedText(s.ledRespirationSpeed);
      t.option = LedOptionName(s.ledRespirationOption, lang);
      break;
    case kEffectNeon:
      t.parameter = PeriodText(s.ledNeonPeriod);
      t.option = LedOptionName(s.ledNeonOption, lang);
      break;
    default:
      break;  // Off or an unknown effect: the boxes stay empty
  }
  return t;
}

std::optional<LedBoxTexts> ChooseLedEffect(SettingsBlock& s, int position, UiLanguage lang) {
  if (position < 0 || position >= kLedEffectNames - 1) return std::nullopt;
  s.ledEffect = static_cast<std::uint8_t>(position + 1);
  LedBoxTexts shown = LedBoxCaptions(s, lang);
  // A freshly chosen Standard shows its only option whatever is stored.
  if (s.ledEffect == kEffectStandard) shown.option = LedOptionName(1, lang);
  return shown;
}

std::string_view ChooseLedParameter(SettingsBlock& s, int position) {
  const std::vector<std::string_view> entries = ParameterListEntries(s.ledEffect);
  if (position < 0 || position >= static_cast<int>(entries.size())) return {};
  const auto value = static_cast<std::uint8_t>(position);
  switch (s.ledEffect) {
    case kEffectStandard: s.ledStandardBrightness = value; break;
    case kEffectRespiration: s.ledRespirationSpeed = value; break;
    case kEffectNeon: s.ledNeonPeriod = value; break;
    default: break;  // no effect chosen yet: only the box's text changes
  }
  return entries[static_cast<std::size_t>(position)];
}

std::string_view ChooseLedOption(SettingsBlock& s, int position, UiLanguage lang) {
  if (s.ledEffect == kEffectStandard) {
    // Standard has no list; its single option is stored whenever it is asked for.
    s.ledStandardOption = 1;
    return LedOptionName(1, lang);
  }
  const std::vector<std::string_view> entries = OptionListEntries(s.ledEffect, lang);
  if (position < 0 || position >= static_cast<int>(entries.size())) return {};
  const auto value = static_cast<std::uint8_t>(FirstOptionName(s.ledEffect) + position);
  if (s.ledEffect == kEffectRespiration) s.ledRespirationOption = value;
  if (s.ledEffect == kEffectNeon) s.ledNeonOption = value;
  return entries[static_cast<std::size_t>(position)];
}

}  // namespace corvaline
