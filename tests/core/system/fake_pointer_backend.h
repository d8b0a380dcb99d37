// A desktop whose pointer settings are plain fields, with settings that can
// be switched off or made to fail.
#pragma once

#include <set>
#include <vector>
#include <string>

#include "core/system/pointer_backend.h"

namespace corvaline::test {

class FakePointerBackend : public PointerBackend {
 public:
  using Setting = PointerSetting;
  std::string_view Name() const override { return "fake"; }
  bool Supports(Setting s) const override { return !unsupported.count(s); }
  std::optional<int> ReadSpeed() override { return Read(Setting::Speed, speed); }
  std::optional<int> ReadWheelLines() override { return Read(Setting::WheelLines, wheelLines); }
  std::optional<int> ReadDoubleClickMs() override { return Read(Setting::DoubleClick, doubleClickMs); }
  std::optional<bool> ReadAcceleration() override {
    if (failing.count(Setting::Acceleration)) return std::nullopt;
    return acceleration;
  }
  bool WriteSpeed(int v) override { return Write(Setting::Speed, speed, v, "speed"); }
  bool WriteWheelLines(int v) override { return Write(Setting::WheelLines, wheelLines, v, "wheel"); }
  bool WriteDoubleClickMs(int v) override {
    return Write(Setting::DoubleClick, doubleClickMs, v, "double-click");
  }
  bool WriteAcceleration(bool on) override {
    int v = on;
    const bool ok = Write(Setting::Acceleration, v, v, "acceleration");
    if (ok) acceleration = on;
    return ok;
  }

  int speed = 10;
  int wheelLines = 3;
  int doubleClickMs = 500;
  bool acceleration = false;
  std::set<Setting> unsupported;
  std::set<Setting> failing;
  std::vector<std::string> writes;  // in call order

 private:
  std::optional<int> Read(Setting s, int value) const {
    if (failing.count(s)) return std::nullopt;
    return value;
  }
  bool Write(Setting s, int& field, int value, const char* name) {
    writes.push_back(std::string(name) + "=" + std::to_string(value));
    if (failing.count(s)) return false;
    field = value;
    return true;
  }
};

}  // namespace corvaline::test
