// Which balloon an event of the mouse or the link raises: event code and
// value (the codes carried by the device-notify message) to text, title and
// time-out. Values without a balloon give nothing.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "core/device/protocol.h"
#include "core/i18n/ui_language.h"

namespace corvaline {

// The notification texts of one language.
struct BalloonTexts {
  std::array<std::string, 4> reportRate;  // 1000, 500, 250, 125 Hz
  std::array<std::string, 4> dpiStage;    // first..fourth stage
  std::array<std::string, 2> keyGroup;    // key matrix 1, 2
  std::string macroKey;
  std::string mouseDetected;
  std::string mouseMissing;
};

// The texts of the built-in table of a language.
BalloonTexts BalloonTextsFor(UiLanguage lang);

// However short a balloon's table time (the arrival and absence balloons
// ask for 100 ms), it stays up this long: a window shown for a tenth of a
// second is one nobody reads. Every place that shows a balloon asks here.
inline constexpr int kBalloonMinimumMs = 5000;
constexpr int ReadableBalloonMs(int tableMs) { return tableMs < kBalloonMinimumMs ? kBalloonMinimumMs : tableMs; }

// Where there is neither a notification area nor a notification service, a
// balloon becomes a small message window. Where showing a window takes the
// keyboard (Wayland has no "show without activating"), that window would
// take it from the game the user is in: there it shows only while one of
// the program's own windows has the focus anyway, else the notice is
// dropped.
constexpr bool NoticeWindowMayShow(bool showingTakesFocus, bool ownWindowActive) {
  return !showingTakesFocus || ownWindowActive;
}

struct Balloon {
  std::string text;
  std::string title;  // "Info" or "Warning" in every language
  int timeoutMs = 0;
};

// The DPI text of a stage (0..3) at its current level in the table of the
// sensor type; empty when the sensor type has no table.
using StageDpiText = std::function<std::string(int stage)>;

std::optional<Balloon> BalloonFor(int code, int value, const BalloonTexts& texts,
                                  const StageDpiText& stageDpi);

}  // namespace corvaline
