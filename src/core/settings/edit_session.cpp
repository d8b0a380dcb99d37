#include "core/settings/edit_session.h"

#include <cstring>

#include "core/settings/value_tables.h"

namespace corvaline {

namespace {

constexpr std::array<PointerField, 5> kAllPointerFields = {PointerField::Speed, PointerField::WheelLines,
                                                           PointerField::DoubleClick, PointerField::Precision,
                                                           PointerField::PageScroll};

std::array<std::uint8_t, 5> PointerValues(const SettingsBlock& b) {
  std::array<std::uint8_t, 5> v{};
  for (std::size_t i = 0; i < v.size(); ++i) v[i] = PointerValue(b, kAllPointerFields[i]);
  return v;
}

}  // namespace

bool SetDpiStageEnabled(SettingsBlock& block, int stage, bool on) {
  if (stage < 0 || stage >= kDpiStages) return false;
  if (!on) {
    // The mouse needs one stage to switch to.
    bool otherOn = false;
    for (int s = 0; s < kDpiStages; ++s) otherOn = otherOn || (s != stage && block.dpiStageEnabled[s]);
    if (!otherOn) return false;
  }
  block.dpiStageEnabled[stage] = on ? 1 : 0;
  return true;
}

bool ToggleDpiStage(SettingsBlock& block, int stage) {
  if (stage < 0 || stage >= kDpiStages) return false;
  return SetDpiStageEnabled(block, stage, block.dpiStageEnabled[stage] == 0);
}

int ClickableDpiLevels(int sensorType) { return sensorType == 0 ? kMaxDpiLevels : 8; }

int ShownReportRateStop(const SettingsBlock& block) {
  const int stop = ReportRateStop(block.reportRateCode);
  return stop < 0 ? kReportRateStops - 1 : stop;
}

std::string ReportRateStopLabel(int stop) { return std::to_string(ReportRateHz(ReportRateCodeAt(stop))); }

std::uint8_t& PointerValue(SettingsBlock& block, PointerField field) {
  switch (field) {
    case PointerField::Speed: return block.pointerSpeedLevel;
    case PointerField::WheelLines: return block.wheelScrollLines;
    case PointerField::DoubleClick: return block.doubleClickLevel;
    case PointerField::Precision: return block.pointerPrecision;
    case PointerField::PageScroll: break;
  }
  return block.wheelPageScroll;
}

std::uint8_t PointerValue(const SettingsBlock& block, PointerField field) {
  return PointerValue(const_cast<SettingsBlock&>(block), field);
}

bool EditSession::HasUnappliedEdits() const {
  SettingsBlock working = store_.settings;
  const SettingsBlock& saved = store_.savedSettings;
  working.currentMode = saved.currentMode;
  if (desktopPointer_ && PointerValues(working) == *desktopPointer_) {
    for (PointerField f : kAllPointerFields) PointerValue(working, f) = PointerValue(saved, f);
  }
  return std::memcmp(&working, &saved, sizeof working) != 0;
}

void EditSession::TakeFromDesktop(PointerField field, int value) {
  PointerValue(store_.settings, field) = static_cast<std::uint8_t>(value);
  PointerValue(store_.savedSettings, field) = static_cast<std::uint8_t>(value);
}

void EditSession::NoteDesktopPointer() {
  if (!desktopPointer_) desktopPointer_ = PointerValues(store_.settings);
}

ApplyReport EditSession::Apply(const std::function<ApplyReport(const SettingsBlock&)>& send) {
  ApplyReport report = send(store_.settings);
  MarkSaved();
  return report;
}

}  // namespace corvaline
