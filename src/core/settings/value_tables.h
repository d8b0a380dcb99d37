// What the small codes and list positions of the SettingsBlock's performance
// and lighting fields mean: report-rate codes, the DPI tables of the sensor
// types, the lighting lists, and the rules by which the Basic page's lists,
// swatches and sliders store a choice.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/i18n/ui_language.h"
#include "core/settings/settings_block.h"

namespace corvaline {

// ---- Report rate ---------------------------------------------------------

// reportRateCode 1, 2, 4, 8 = 1000, 500, 250, 125 Hz; anything else gives 0.
int ReportRateHz(std::uint8_t code);

// The Basic page's four report-rate stops store the codes 8, 4, 2, 1 (stop 0
// is 125 Hz). Returns 0 for a stop outside 0..3.
std::uint8_t ReportRateCodeAt(int stop);
// The stop showing a code, or -1 for a code that is none of 1, 2, 4, 8.
int ReportRateStop(std::uint8_t code);

// The balloon text for the mouse's report-rate notification; empty for an
// unknown code.
std::string_view ReportRateNotice(std::uint8_t code, UiLanguage lang);

// ---- DPI -----------------------------------------------------------------

inline constexpr int kMaxDpiLevels = 12;

// Levels of the table of a sensor type: 12 for type 0, 8 for types 1..3,
// 0 for any other type (which has no table).
int DpiTableLevels(int sensorType);

// The table the Basic page's slider uses: types 1..3 their own, any other
// type (0 included) the 12-level table of type 0.
int DpiSliderSensorType(int sensorType);
int DpiSliderLevels(int sensorType);

// The label ("250", "3200", ...) at a position of the table of sensorType.
// Empty for a sensor type outside 0..3 or a position outside the table.
std::string_view DpiLabel(int sensorType, int index);

// The one-byte code the mouse's DpiTable takes for the position dpiStageIndex
// of the table of sensorType. A sensor type outside 0..3, or a position
// outside that type's table, gives 0.
std::uint8_t DpiCode(int sensorType, int index);

// A click on level n (1-based) of the slider of stage 0..3 stores index n - 1.
// Returns false (nothing stored) for a stage or level out of range.
bool SetDpiLevel(SettingsBlock& s, int stage, int level);

// Only an enabled stage (dpiStageEnabled exactly 1) offers its colour swatch.
bool StageColourEditable(const SettingsBlock& s, int stage);
// Stores a chosen colour; false (nothing stored) when the stage is not editable.
bool SetStageColour(SettingsBlock& s, int stage, std::uint8_t red, std::uint8_t green,
                    std::uint8_t blue);

// ---- Lighting ------------------------------------------------------------

inline constexpr int kLedEffectNames = 4;   // Off, Standard, Respiration, Neon
inline constexpr int kLedOptionNames = 4;   // Non-Display, RGB Effect, Flash, Fixed On
inline constexpr int kBrightnessLevels = 10;
inline constexpr int kRespirationSpeeds = 5;
inline constexpr int kNeonPeriods = 30;

// Label functions: empty text for a position outside the list.
std::string_view LedEffectName(int position, UiLanguage lang);  // 0..3
std::string_view LedOptionName(int position, UiLanguage lang);  // 0..3
std::string_view BrightnessText(int position);                  // 0..9: "5%".."100%"
std::string_view SpeedText(int position);                       // 0..4: "8S".."4S"
std::string_view PeriodText(int position);                      // 0..29: "0.5S".."15S"

// Entries of the three lists, in list order, for the current ledEffect.
// Effect list: effect names 1..3. Parameter list: brightness (Standard),
// speed (Respiration), period (Neon and any other effect). Option list: none
// for Standard, option names 1, 2 for Respiration, 2, 3 otherwise.
std::vector<std::string_view> EffectListEntries(UiLanguage lang);
std::vector<std::string_view> ParameterListEntries(std::uint8_t ledEffect);
std::vector<std::string_view> OptionListEntries(std::uint8_t ledEffect, UiLanguage lang);
// Height in pixels of the open parameter list: 170, 90, 200.
int ParameterListHeight(std::uint8_t ledEffect);

// What the effect, parameter and option boxes show when the page is composed
// from the stored fields; Off (or an unknown effect) leaves parameter and
// option empty.
struct LedBoxTexts {
  std::string_view effect;
  std::string_view parameter;
  std::string_view option;
};
LedBoxTexts LedBoxCaptions(const SettingsBlock& s, UiLanguage lang);

// List handlers. position is the selected entry, -1 when nothing is selected.
// Effect: ledEffect = position + 1 and the texts the three boxes show now
// (Standard's option box reads option name 1); nullopt and nothing stored
// without a valid selection.
std::optional<LedBoxTexts> ChooseLedEffect(SettingsBlock& s, int position, UiLanguage lang);
// Parameter: stores into the field of the current effect (Off stores nothing)
// and returns the text the box now shows; empty without a valid selection.
std::string_view ChooseLedParameter(SettingsBlock& s, int position);
// Option: Standard stores 1, Respiration position + 1, Neon position + 2
// (Off stores nothing); returns the text the box now shows.
std::string_view ChooseLedOption(SettingsBlock& s, int position, UiLanguage lang);

}  // namespace corvaline
