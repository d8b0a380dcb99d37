// The system pointer settings applied with OK and Apply. The Advanced page
// provides the real implementation; until it is installed nothing is changed.
#pragma once

namespace corvaline::gui {

class PointerSettings {
 public:
  virtual ~PointerSettings() = default;
  // Writes the pointer fields of the working settings block to the system.
  virtual void Apply() = 0;
};

class NoPointerSettings : public PointerSettings {
 public:
  void Apply() override {}
};

}  // namespace corvaline::gui
