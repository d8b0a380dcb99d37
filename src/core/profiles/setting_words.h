// The performance, lighting and pointer settings in words, as
// `corvalinectl set` takes them, stored with the rules of the pages.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/settings/settings_block.h"

namespace corvaline {

// A change is done, refused by a rule of the program (nothing changed), or
// names a value that does not exist (nothing changed).
enum class ChangeStatus { Done, Refused, BadValue };
struct [[nodiscard]] ChangeResult {
  ChangeStatus status = ChangeStatus::Done;
  std::string message;
  bool Ok() const { return status == ChangeStatus::Done; }
};

// "125", "250", "500" or "1000" (Hz).
ChangeResult SetReportRateText(SettingsBlock& block, std::string_view hz);

// "#RRGGBB" (the '#' may be left out).
std::optional<std::array<std::uint8_t, 3>> ParseColour(std::string_view text);
std::string ColourText(const std::uint8_t (&rgb)[3]);

// One stage (0..3): on/off first, then the level (1-based), then the colour,
// which only a stage that is on takes, by the rules of edit_session.h. All or
// nothing.
struct DpiStageChange {
  int stage = 0;
  std::optional<bool> on;
  std::optional<int> level;
  std::optional<std::array<std::uint8_t, 3>> colour;
};
ChangeResult ChangeDpiStage(SettingsBlock& block, const DpiStageChange& change, int sensorType);

// The effect word of ledEffect 0..3 ("off", "standard", "respiration",
// "neon"); empty for other values.
std::string_view LedEffectWord(int effect);
// Also takes the page's effect names in any language; -1 when unknown.
int LedEffectFromWord(std::string_view word);

// Effect plus, optionally, the texts the parameter and option boxes show
// ("45%", "6S", "10S"; "RGB Flash" in any of the three languages). "off" is
// the dark state the page only shows; it takes neither. All or nothing.
ChangeResult ChangeLighting(SettingsBlock& block, std::string_view effect,
                            const std::optional<std::string>& parameter,
                            const std::optional<std::string>& option);

// The Advanced page's pointer fields. speedLevel 1..11; wheel "page" or
// lines 0..11; double-click time in ms, one of the slider's steps
// 900, 830, ... 200; precision on or off.
struct PointerChange {
  std::optional<std::string> speed, wheel, doubleClickMs, precision;
};
ChangeResult ChangePointer(SettingsBlock& block, const PointerChange& change);
// The slider step of a double-click time and back: 900 ms is 1, 200 ms is 11.
inline constexpr int kDoubleClickLevels = 11;
int DoubleClickMsOfLevel(int level);
// The level of one of those times; 0 for any other text.
int DoubleClickLevelOfMs(std::string_view ms);

}  // namespace corvaline
