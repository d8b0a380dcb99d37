// The desktop's pointer settings as the Advanced page shows them: three
// 11-step sliders (pointer speed, wheel lines, double-click time) and two
// check boxes (acceleration, one screen per wheel notch), and how slider
// positions map to the system's values and back.
#pragma once

#include <string_view>

#include "core/i18n/ui_language.h"

namespace corvaline {

inline constexpr int kSliderSteps = 11;

// Pointer speed, system range 1..20. Position = speed / 2 + 1; back:
// position 1 is 1, position p > 1 is 2p - 2.
inline constexpr int kMinPointerSpeed = 1;
inline constexpr int kMaxPointerSpeed = 20;
int SpeedPositionFromSystem(int speed);
int SystemSpeedFromPosition(int position);

// Desktops that keep the speed on a -1..1 scale: s = (speed - 10) / 10 and
// speed = 10 + round(10 s), held within 1..20 (10 is 0.0, 20 is 1.0).
double SpeedScaleFromSystem(int speed);
int SystemSpeedFromScale(double scale);

// Wheel lines per notch; -1 is the system's "one screen per notch".
inline constexpr int kWheelPageScroll = -1;
struct WheelLevel {
  int position = 0;         // 0..11 (0: no tick lit)
  bool pageScroll = false;  // "Scroll One Screen"
};
WheelLevel WheelLevelFromSystem(int lines);
int SystemWheelLines(int position, bool pageScroll);

// Double-click time, 900 ms at position 1 down to 200 ms at 11 in 70 ms
// steps. Times outside 200..900 show the nearest end of the slider.
int DoubleClickPositionFromSystem(int milliseconds);
int SystemDoubleClickFromPosition(int position);

// How many ticks a stored position lights: never one outside 1..11, however
// the byte in config.bin reads.
int LitTicks(int position);

// What the restore button writes, and the positions it shows afterwards
// (position 6 of the double-click slider stands for 550 ms at the next apply,
// while the restore itself writes 500 ms).
inline constexpr int kRestoredSpeed = 10;
inline constexpr int kRestoredWheelLines = 3;
inline constexpr int kRestoredDoubleClickMs = 500;
inline constexpr int kRestoredSpeedPosition = 6;
inline constexpr int kRestoredWheelPosition = 3;
inline constexpr int kRestoredDoubleClickPosition = 6;

// Failures of the system calls, English in every language, caption "Warning".
inline constexpr std::string_view kMsgGetMouseSpeedFailed = "GETMOUSESPEED failed.";
inline constexpr std::string_view kMsgGetWheelLinesFailed = "GETWHEELSCROLLLINES failed.";
inline constexpr std::string_view kMsgGetDoubleClickFailed = "GetDoubleClickTime failed.";
inline constexpr std::string_view kMsgSetMouseFailed = "SETMOUSE failed.";
inline constexpr std::string_view kMsgSetMouseSpeedFailed = "SETMOUSESPEED failed.";
inline constexpr std::string_view kMsgSetWheelLinesFailed = "SETWHEELSCROLLLINES failed.";
inline constexpr std::string_view kMsgSetDoubleClickFailed = "SPI_SETDOUBLECLICKTIME failed.";
// Reading the acceleration has no message of its own on Windows (a failed
// read shows the box unticked); desktops where it can fail say so.
inline constexpr std::string_view kMsgGetMouseFailed = "GETMOUSE failed.";

// The note beside a setting the desktop does not let this program change.
std::string_view NotAvailableText(UiLanguage lang);

}  // namespace corvaline
