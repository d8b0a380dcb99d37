// The pointer settings of the Advanced page against the desktop: the first
// showing in a run reads the desktop's values into the five fields of the
// settings block, OK and Apply write the fields to the desktop, the restore
// button writes the defaults at once. Settings the desktop's backend cannot
// change are skipped without a word; a supported one that fails says so.
#pragma once

#include <optional>

#include "core/settings/settings_block.h"
#include "gui/app/pointer_settings.h"
#include "platform/pointer_settings.h"

namespace corvaline::gui {

// Which of the page's five elements the backend can change.
struct PointerSupport {
  bool speed = false;         // speed slider
  bool acceleration = false;  // "Enhance Pointer Precision"
  bool wheel = false;         // wheel slider and "Scroll One Screen"
  bool doubleClick = false;   // double-click slider
};

class SystemMouse : public PointerSettings {
 public:
  // snapshot, when given, is what Cancel returns the settings to: the values
  // read from the desktop go there too, so a Cancel keeps them and the next
  // OK does not write config.bin's old values over the desktop's.
  SystemMouse(SettingsBlock& settings, platform::PointerBackend& backend,
              SettingsBlock* snapshot = nullptr);

  PointerSupport Support() const { return support_; }
  const SettingsBlock& Settings() const { return settings_; }
  bool ReadDone() const { return read_; }

  // ReadSystemMouse, only the first time in a run.
  void ReadOnce();
  // ApplySystemMouse: each setting on its own, a failure does not stop the
  // next. Nothing is written before the first read of the run.
  void Apply() override;
  // RestoreSystemMouse: writes the defaults now and shows their positions.
  void Restore();

  // Slider s (1 speed, 2 wheel, 3 double-click) at tick k; nothing reaches
  // the desktop before OK or Apply. False when the setting is unavailable.
  bool SetSliderPosition(int slider, int tick);
  // Check box 1 (acceleration) or 2 (one screen per notch).
  bool ToggleOption(int box);

 private:
  // Sets a pointer field of the settings and of the snapshot alike: the
  // desktop holds that value now, whatever Cancel does afterwards.
  void SetFromDesktop(std::uint8_t SettingsBlock::*field, int value);

  SettingsBlock& settings_;
  platform::PointerBackend& backend_;
  SettingsBlock* snapshot_;
  PointerSupport support_;
  bool read_ = false;
  // Wheel lines the desktop had above the slider's last step; written back
  // as they were unless the user moves the wheel slider.
  std::optional<int> keptWheelLines_;
};

}  // namespace corvaline::gui
