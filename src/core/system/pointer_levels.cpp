#include "core/system/pointer_levels.h"

#include <algorithm>
#include <cmath>

namespace corvaline {
namespace {

int ClampPosition(int position) { return std::clamp(position, 1, kSliderSteps); }

constexpr int kSlowestDoubleClickMs = 900;
constexpr int kDoubleClickStepMs = 70;

}  // namespace

int SpeedPositionFromSystem(int speed) {
  return ClampPosition(std::clamp(speed, kMinPointerSpeed, kMaxPointerSpeed) / 2 + 1);
}

int SystemSpeedFromPosition(int position) {
  const int p = ClampPosition(position);
  return p == 1 ? 1 : 2 * p - 2;
}

double SpeedScaleFromSystem(int speed) {
  return (std::clamp(speed, kMinPointerSpeed, kMaxPointerSpeed) - 10) / 10.0;
}

int SystemSpeedFromScale(double scale) {
  if (!std::isfinite(scale)) return 10;
  const double speed = 10.0 + std::round(10.0 * std::clamp(scale, -1.0, 1.0));
  return std::clamp(static_cast<int>(speed), kMinPointerSpeed, kMaxPointerSpeed);
}

WheelLevel WheelLevelFromSystem(int lines) {
  if (lines == kWheelPageScroll) return {0, true};
  // More lines than the slider has steps show as its last step.
  return {std::clamp(lines, 0, kSliderSteps), false};
}

int SystemWheelLines(int position, bool pageScroll) {
  return pageScroll ? kWheelPageScroll : std::clamp(position, 0, kSliderSteps);
}

int DoubleClickPositionFromSystem(int milliseconds) {
  if (milliseconds >= kSlowestDoubleClickMs) return 1;
  return ClampPosition((kSlowestDoubleClickMs - milliseconds) / kDoubleClickStepMs + 1);
}

int SystemDoubleClickFromPosition(int position) {
  return kSlowestDoubleClickMs - kDoubleClickStepMs * (ClampPosition(position) - 1);
}

int LitTicks(int position) { return std::clamp(position, 0, kSliderSteps); }

std::string_view NotAvailableText(UiLanguage lang) {
  switch (lang) {
    case UiLanguage::CHS: return "此桌面不支持";
    case UiLanguage::CHT: return "此桌面不支援";
    case UiLanguage::EN: break;
  }
  return "Not available on this desktop";
}

}  // namespace corvaline
