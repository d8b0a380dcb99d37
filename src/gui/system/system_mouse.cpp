#include "gui/system/system_mouse.h"

#include "core/macros/macro_messages.h"
#include "core/system/messages.h"
#include "core/system/pointer_levels.h"

namespace corvaline::gui {

namespace {

using platform::PointerSetting;

void Warn(std::string_view text) { ShowMessage(text, kWarningCaption); }

// Writes one setting when the desktop has it; a refusal is told.
template <typename Write>
void WriteSetting(bool supported, Write write, std::string_view failure) {
  if (supported && !write()) Warn(failure);
}

}  // namespace

SystemMouse::SystemMouse(SettingsBlock& settings, platform::PointerBackend& backend,
                         SettingsBlock* snapshot)
    : settings_(settings), backend_(backend), snapshot_(snapshot) {
  support_.speed = backend_.Supports(PointerSetting::Speed);
  support_.acceleration = backend_.Supports(PointerSetting::Acceleration);
  support_.wheel = backend_.Supports(PointerSetting::WheelLines);
  support_.doubleClick = backend_.Supports(PointerSetting::DoubleClick);
}

void SystemMouse::SetFromDesktop(std::uint8_t SettingsBlock::*field, int value) {
  settings_.*field = static_cast<std::uint8_t>(value);
  if (snapshot_) snapshot_->*field = static_cast<std::uint8_t>(value);
}

// A value that cannot be read leaves the stored field as config.bin had it,
// rather than showing a made-up position.
void SystemMouse::ReadOnce() {
  if (read_) return;
  read_ = true;
  if (support_.acceleration) {
    if (const auto on = backend_.ReadAcceleration())
      SetFromDesktop(&SettingsBlock::pointerPrecision, *on ? 1 : 0);
    else
      Warn(kMsgGetMouseFailed);
  }
  if (support_.speed) {
    if (const auto speed = backend_.ReadSpeed())
      SetFromDesktop(&SettingsBlock::pointerSpeedLevel, SpeedPositionFromSystem(*speed));
    else
      Warn(kMsgGetMouseSpeedFailed);
  }
  if (support_.wheel) {
    if (const auto lines = backend_.ReadWheelLines()) {
      const WheelLevel level = WheelLevelFromSystem(*lines);
      SetFromDesktop(&SettingsBlock::wheelPageScroll, level.pageScroll ? 1 : 0);
      SetFromDesktop(&SettingsBlock::wheelScrollLines, level.position);
      if (*lines > kSliderSteps) keptWheelLines_ = *lines;
    } else {
      Warn(kMsgGetWheelLinesFailed);
    }
  }
  if (support_.doubleClick) {
    if (const auto ms = backend_.ReadDoubleClickMs())
      SetFromDesktop(&SettingsBlock::doubleClickLevel, DoubleClickPositionFromSystem(*ms));
    else
      Warn(kMsgGetDoubleClickFailed);
  }
}

// Until the page has shown the desktop's values in this run, the fields hold
// whatever config.bin had; an OK on the Basic page must not push those stale
// values over what the user set on the desktop meanwhile.
void SystemMouse::Apply() {
  if (!read_) return;
  const SettingsBlock& s = settings_;
  WriteSetting(support_.acceleration, [&] { return backend_.WriteAcceleration(s.pointerPrecision == 1); },
               kMsgSetMouseFailed);
  WriteSetting(support_.speed,
               [&] { return backend_.WriteSpeed(SystemSpeedFromPosition(s.pointerSpeedLevel)); },
               kMsgSetMouseSpeedFailed);
  // The slider's last step stands for "more" while it shows a larger value read.
  const bool keep = keptWheelLines_ && s.wheelPageScroll == 0 && s.wheelScrollLines == kSliderSteps;
  WriteSetting(support_.wheel, [&] {
    return backend_.WriteWheelLines(keep ? *keptWheelLines_
                                         : SystemWheelLines(s.wheelScrollLines, s.wheelPageScroll == 1));
  }, kMsgSetWheelLinesFailed);
  WriteSetting(support_.doubleClick, [&] {
    return backend_.WriteDoubleClickMs(SystemDoubleClickFromPosition(s.doubleClickLevel));
  }, kMsgSetDoubleClickFailed);
}

void SystemMouse::Restore() {
  WriteSetting(support_.acceleration, [&] { return backend_.WriteAcceleration(false); },
               kMsgSetMouseFailed);
  WriteSetting(support_.speed, [&] { return backend_.WriteSpeed(kRestoredSpeed); },
               kMsgSetMouseSpeedFailed);
  WriteSetting(support_.wheel, [&] { return backend_.WriteWheelLines(kRestoredWheelLines); },
               kMsgSetWheelLinesFailed);
  WriteSetting(support_.doubleClick,
               [&] { return backend_.WriteDoubleClickMs(kRestoredDoubleClickMs); },
               kMsgSetDoubleClickFailed);
  // The desktop has the defaults now, and a Cancel cannot take them back.
  if (support_.acceleration) SetFromDesktop(&SettingsBlock::pointerPrecision, 0);
  if (support_.speed) SetFromDesktop(&SettingsBlock::pointerSpeedLevel, kRestoredSpeedPosition);
  if (support_.wheel) {
    SetFromDesktop(&SettingsBlock::wheelPageScroll, 0);
    SetFromDesktop(&SettingsBlock::wheelScrollLines, kRestoredWheelPosition);
    keptWheelLines_.reset();
  }
  if (support_.doubleClick) SetFromDesktop(&SettingsBlock::doubleClickLevel, kRestoredDoubleClickPosition);
}

bool SystemMouse::SetSliderPosition(int slider, int tick) {
  if (tick < 1 || tick > kSliderSteps) return false;
  const auto value = static_cast<std::uint8_t>(tick);
  switch (slider) {
    case 1:
      if (!support_.speed) return false;
      settings_.pointerSpeedLevel = value;
      return true;
    case 2:
      if (!support_.wheel) return false;
      settings_.wheelScrollLines = value;
      keptWheelLines_.reset();
      return true;
    case 3:
      if (!support_.doubleClick) return false;
      settings_.doubleClickLevel = value;
      return true;
    default: return false;
  }
}

bool SystemMouse::ToggleOption(int box) {
  if (box == 1 && support_.acceleration) {
    settings_.pointerPrecision = settings_.pointerPrecision ? 0 : 1;
    return true;
  }
  if (box == 2 && support_.wheel) {
    settings_.wheelPageScroll = settings_.wheelPageScroll ? 0 : 1;
    return true;
  }
  return false;
}

}  // namespace corvaline::gui
