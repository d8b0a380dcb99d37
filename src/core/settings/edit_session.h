// One edit of the settings, from a load or an Apply to the next Apply or
// Cancel: the working block, the snapshot Cancel returns to, and the
// desktop's pointer values read in this run. The window, the automatic
// switch, the pages, the accessibility layer and corvalinectl all ask here
// (or the block rules below) instead of working a rule out again, so the
// copies cannot start to disagree.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/device/apply.h"
#include "core/settings/settings_block.h"

namespace corvaline {

// ---- Rules on one block ---------------------------------------------------

// Switching a DPI stage on or off as its check box does: the last stage that
// is on cannot be switched off (false, nothing changed).
bool SetDpiStageEnabled(SettingsBlock& block, int stage, bool on);
// A click on a stage's check box: on becomes off and off on, by the rule above.
bool ToggleDpiStage(SettingsBlock& block, int stage);

// The DPI slider levels that take a click: 1..12 with sensor type 0, else
// 1..8 (a sensor with no table of its own draws twelve but takes eight).
int ClickableDpiLevels(int sensorType);

// The report-rate stops, 125 Hz first, and the one lit for the block: a code
// that is none of the four shows 1000 Hz.
inline constexpr int kReportRateStops = 4;
int ShownReportRateStop(const SettingsBlock& block);
// The number under a stop: "125", "250", "500", "1000".
std::string ReportRateStopLabel(int stop);

// The pointer fields of the Advanced page by what they hold, in the page's
// order: three sliders, then the two check boxes.
enum class PointerField { Speed, WheelLines, DoubleClick, Precision, PageScroll };
inline constexpr std::array<PointerField, 3> kPointerSliders = {PointerField::Speed, PointerField::WheelLines,
                                                                PointerField::DoubleClick};
inline constexpr std::array<PointerField, 2> kPointerBoxes = {PointerField::Precision, PointerField::PageScroll};
std::uint8_t& PointerValue(SettingsBlock& block, PointerField field);
std::uint8_t PointerValue(const SettingsBlock& block, PointerField field);

// ---- The session ----------------------------------------------------------

class EditSession {
 public:
  explicit EditSession(SettingsStore& store) : store_(store) {}

  SettingsStore& Store() { return store_; }
  SettingsBlock& Working() { return store_.settings; }
  const SettingsBlock& Working() const { return store_.settings; }
  const SettingsBlock& Saved() const { return store_.savedSettings; }

  // The working block differs from the snapshot in something the user set.
  // Looking at the other key group is no edit, nor are the desktop's own
  // pointer values as this run first read them.
  bool HasUnappliedEdits() const;

  // What was loaded or sent is the snapshot now.
  void MarkSaved() { TakeSnapshot(store_); }
  // Cancel: the working block returns to the snapshot.
  void Cancel() { RestoreSnapshot(store_); }

  // A pointer value the desktop holds now goes into the working block and
  // the snapshot alike: a Cancel cannot take it back from the desktop.
  void TakeFromDesktop(PointerField field, int value);
  // After the first read of the desktop in this run: the pointer values now
  // in the working block are the desktop's own, no edit of the user's.
  void NoteDesktopPointer();

  // OK and Apply: `send` writes the working block to the mouse and saves it;
  // the snapshot follows, whatever the mouse took. Every save result comes
  // back for the caller to show.
  [[nodiscard]] ApplyReport Apply(const std::function<ApplyReport(const SettingsBlock&)>& send);

 private:
  SettingsStore& store_;
  std::optional<std::array<std::uint8_t, 5>> desktopPointer_;
};

}  // namespace corvaline
