// The pointer settings of the Advanced page against the desktop: the first
// showing in a run reads the desktop's values into the five pointer fields
// of the edit session, OK and Apply write the fields to the desktop, the
// restore button writes the defaults at once. Settings the desktop's backend
// cannot change are skipped without a word; a supported one that fails is
// named in the problems handed back (fixed English texts), which the window
// shows as warnings.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/settings/edit_session.h"
#include "core/system/pointer_backend.h"

namespace corvaline {

// One line per desktop call that failed, in call order; empty when none did.
using PointerProblems = std::vector<std::string>;

// What OK and Apply call to write the pointer fields to the desktop.
class PointerSettings {
 public:
  virtual ~PointerSettings() = default;
  [[nodiscard]] virtual PointerProblems Apply() = 0;
};

// Until the Advanced page installs the real one nothing is changed.
class NoPointerSettings : public PointerSettings {
 public:
  PointerProblems Apply() override { return {}; }
};

// Which of the page's five elements the backend can change.
struct PointerSupport {
  bool speed = false;         // speed slider
  bool acceleration = false;  // "Enhance Pointer Precision"
  bool wheel = false;         // wheel slider and "Scroll One Screen"
  bool doubleClick = false;   // double-click slider
  bool Has(PointerField field) const;
};

class SystemMouse : public PointerSettings {
 public:
  // The values read from the desktop go into the session's snapshot too, so
  // a Cancel keeps them and the next OK does not write config.bin's old
  // values over the desktop's.
  SystemMouse(EditSession& session, PointerBackend& backend);

  PointerSupport Support() const { return support_; }
  const SettingsBlock& Settings() const { return session_.Working(); }
  bool ReadDone() const { return read_; }

  // ReadSystemMouse, only the first time in a run.
  [[nodiscard]] PointerProblems ReadOnce();
  // ApplySystemMouse: each setting on its own, a failure does not stop the
  // next. Nothing is written before the first read of the run.
  PointerProblems Apply() override;
  // RestoreSystemMouse: writes the defaults now and shows their positions.
  [[nodiscard]] PointerProblems Restore();

  // A slider's field at tick 1..11; nothing reaches the desktop before OK or
  // Apply. False when the setting is unavailable or the field no slider.
  bool SetSliderPosition(PointerField field, int tick);
  // A check box's field (Precision, PageScroll) flips; false as above.
  bool ToggleOption(PointerField field);

 private:
  EditSession& session_;
  PointerBackend& backend_;
  PointerSupport support_;
  bool read_ = false;
  // Wheel lines the desktop had above the slider's last step; written back
  // as they were unless the user moves the wheel slider.
  std::optional<int> keptWheelLines_;
};

}  // namespace corvaline
