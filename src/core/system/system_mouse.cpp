#include "core/system/system_mouse.h"

#include "core/system/pointer_levels.h"

namespace corvaline {

namespace {

// Writes one setting when the desktop has it; a refusal is noted.
template <typename Write>
void WriteSetting(bool supported, Write write, std::string_view failure, PointerProblems& problems) {
  if (supported && !write()) problems.emplace_back(failure);
}

}  // namespace

bool PointerSupport::Has(PointerField field) const {
  switch (field) {
    case PointerField::Speed: return speed;
    case PointerField::WheelLines:
    case PointerField::PageScroll: return wheel;
    case PointerField::DoubleClick: return doubleClick;
    case PointerField::Precision: break;
  }
  return acceleration;
}

SystemMouse::SystemMouse(EditSession& session, PointerBackend& backend)
    : session_(session), backend_(backend) {
  support_.speed = backend_.Supports(PointerSetting::Speed);
  support_.acceleration = backend_.Supports(PointerSetting::Acceleration);
  support_.wheel = backend_.Supports(PointerSetting::WheelLines);
  support_.doubleClick = backend_.Supports(PointerSetting::DoubleClick);
}

// A value that cannot be read leaves the stored field as config.bin had it,
// rather than showing a made-up position.
PointerProblems SystemMouse::ReadOnce() {
  PointerProblems problems;
  if (read_) return problems;
  read_ = true;
  if (support_.acceleration) {
    if (const auto on = backend_.ReadAcceleration())
      session_.TakeFromDesktop(PointerField::Precision, *on ? 1 : 0);
    else
      problems.emplace_back(kMsgGetMouseFailed);
  }
  if (support_.speed) {
    if (const auto speed = backend_.ReadSpeed())
      session_.TakeFromDesktop(PointerField::Speed, SpeedPositionFromSystem(*speed));
    else
      problems.emplace_back(kMsgGetMouseSpeedFailed);
  }
  if (support_.wheel) {
    if (const auto lines = backend_.ReadWheelLines()) {
      const WheelLevel level = WheelLevelFromSystem(*lines);
      session_.TakeFromDesktop(PointerField::PageScroll, level.pageScroll ? 1 : 0);
      session_.TakeFromDesktop(PointerField::WheelLines, level.position);
      if (*lines > kSliderSteps) keptWheelLines_ = *lines;
    } else {
      problems.emplace_back(kMsgGetWheelLinesFailed);
    }
  }
  if (support_.doubleClick) {
    if (const auto ms = backend_.ReadDoubleClickMs())
      session_.TakeFromDesktop(PointerField::DoubleClick, DoubleClickPositionFromSystem(*ms));
    else
      problems.emplace_back(kMsgGetDoubleClickFailed);
  }
  session_.NoteDesktopPointer();
  return problems;
}

// Until the page has shown the desktop's values in this run, the fields hold
// whatever config.bin had; an OK on the Basic page must not push those stale
// values over what the user set on the desktop meanwhile.
PointerProblems SystemMouse::Apply() {
  PointerProblems problems;
  if (!read_) return problems;
  const SettingsBlock& s = session_.Working();
  WriteSetting(support_.acceleration, [&] { return backend_.WriteAcceleration(s.pointerPrecision == 1); },
               kMsgSetMouseFailed, problems);
  WriteSetting(support_.speed,
               [&] { return backend_.WriteSpeed(SystemSpeedFromPosition(s.pointerSpeedLevel)); },
               kMsgSetMouseSpeedFailed, problems);
  // The slider's last step stands for "more" while it shows a larger value read.
  const bool keep = keptWheelLines_ && s.wheelPageScroll == 0 && s.wheelScrollLines == kSliderSteps;
  WriteSetting(support_.wheel, [&] {
    return backend_.WriteWheelLines(keep ? *keptWheelLines_
                                         : SystemWheelLines(s.wheelScrollLines, s.wheelPageScroll == 1));
  }, kMsgSetWheelLinesFailed, problems);
  WriteSetting(support_.doubleClick, [&] {
    return backend_.WriteDoubleClickMs(SystemDoubleClickFromPosition(s.doubleClickLevel));
  }, kMsgSetDoubleClickFailed, problems);
  return problems;
}

PointerProblems SystemMouse::Restore() {
  PointerProblems problems;
  WriteSetting(support_.acceleration, [&] { return backend_.WriteAcceleration(false); },
               kMsgSetMouseFailed, problems);
  WriteSetting(support_.speed, [&] { return backend_.WriteSpeed(kRestoredSpeed); },
               kMsgSetMouseSpeedFailed, problems);
  WriteSetting(support_.wheel, [&] { return backend_.WriteWheelLines(kRestoredWheelLines); },
               kMsgSetWheelLinesFailed, problems);
  WriteSetting(support_.doubleClick,
               [&] { return backend_.WriteDoubleClickMs(kRestoredDoubleClickMs); },
               kMsgSetDoubleClickFailed, problems);
  // The desktop has the defaults now, and a Cancel cannot take them back.
  if (support_.acceleration) session_.TakeFromDesktop(PointerField::Precision, 0);
  if (support_.speed) session_.TakeFromDesktop(PointerField::Speed, kRestoredSpeedPosition);
  if (support_.wheel) {
    session_.TakeFromDesktop(PointerField::PageScroll, 0);
    session_.TakeFromDesktop(PointerField::WheelLines, kRestoredWheelPosition);
    keptWheelLines_.reset();
  }
  if (support_.doubleClick) session_.TakeFromDesktop(PointerField::DoubleClick, kRestoredDoubleClickPosition);
  return problems;
}

bool SystemMouse::SetSliderPosition(PointerField field, int tick) {
  const bool slider = field == PointerField::Speed || field == PointerField::WheelLines ||
                      field == PointerField::DoubleClick;
  if (!slider || tick < 1 || tick > kSliderSteps || !support_.Has(field)) return false;
  PointerValue(session_.Working(), field) = static_cast<std::uint8_t>(tick);
  if (field == PointerField::WheelLines) keptWheelLines_.reset();
  return true;
}

bool SystemMouse::ToggleOption(PointerField field) {
  if ((field != PointerField::Precision && field != PointerField::PageScroll) || !support_.Has(field)) return false;
  std::uint8_t& value = PointerValue(session_.Working(), field);
  value = value ? 0 : 1;
  return true;
}

}  // namespace corvaline
