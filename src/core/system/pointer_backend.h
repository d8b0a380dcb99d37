// The desktop's pointer settings: pointer speed, wheel lines per notch,
// double-click time and pointer acceleration. Each desktop keeps them its own
// way, so one backend per desktop (in src/platform) reads and writes them and
// says which of the four it can change; the others are left alone.
#pragma once

#include <optional>
#include <string_view>

namespace corvaline {

enum class PointerSetting { Speed, WheelLines, DoubleClick, Acceleration };

class PointerBackend {
 public:
  virtual ~PointerBackend() = default;
  // A short name for diagnostics ("GSettings", "X11 core pointer", ...).
  virtual std::string_view Name() const = 0;
  virtual bool Supports(PointerSetting setting) const = 0;

  // Reads give nullopt when the value cannot be read (or is not supported).
  virtual std::optional<int> ReadSpeed() = 0;          // 1..20
  virtual std::optional<int> ReadWheelLines() = 0;     // lines; -1 one screen per notch
  virtual std::optional<int> ReadDoubleClickMs() = 0;
  virtual std::optional<bool> ReadAcceleration() = 0;  // true: accelerated

  // Writes give false when the desktop did not take the value.
  virtual bool WriteSpeed(int speed) = 0;
  virtual bool WriteWheelLines(int lines) = 0;
  virtual bool WriteDoubleClickMs(int milliseconds) = 0;
  virtual bool WriteAcceleration(bool on) = 0;
};

}  // namespace corvaline
