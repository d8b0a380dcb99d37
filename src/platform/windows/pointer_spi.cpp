// Windows keeps the four settings in SystemParametersInfo. The changes are
// broadcast to every window; only the double-click time is also written to
// the user's profile, so the others last until the next sign-in, as the
// mouse's own utility has always done.
#include <windows.h>

#include <climits>

#include "platform/pointer_settings.h"

namespace corvaline::platform {
namespace {

// SPI_SETMOUSE's thresholds and acceleration when "Enhance Pointer
// Precision" is ticked, and when it is not.
constexpr int kAcceleratedMouse[3] = {6, 10, 1};
constexpr int kPlainMouse[3] = {0, 0, 0};

class SpiPointer : public PointerBackend {
 public:
  std::string_view Name() const override { return "Windows"; }
  bool Supports(PointerSetting) const override { return true; }

  std::optional<int> ReadSpeed() override {
    int speed = 0;
    if (!SystemParametersInfoW(SPI_GETMOUSESPEED, 0, &speed, 0)) return std::nullopt;
    return speed;
  }
  std::optional<int> ReadWheelLines() override {
    UINT lines = 0;
    if (!SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) return std::nullopt;
    // WHEEL_PAGESCROLL (UINT_MAX) is one screen per notch.
    // More lines than the slider has steps are kept as they are.
    if (lines == WHEEL_PAGESCROLL) return -1;
    return lines > static_cast<UINT>(INT_MAX) ? INT_MAX : static_cast<int>(lines);
  }
  std::optional<int> ReadDoubleClickMs() override {
    const UINT ms = GetDoubleClickTime();
    if (ms == 0) return std::nullopt;
    return static_cast<int>(ms);
  }
  std::optional<bool> ReadAcceleration() override {
    int mouse[3] = {};
    if (!SystemParametersInfoW(SPI_GETMOUSE, 0, mouse, 0)) return false;
    return mouse[2] != 0;
  }

  bool WriteSpeed(int speed) override {
    return SystemParametersInfoW(SPI_SETMOUSESPEED, 0,
                                 reinterpret_cast<void*>(static_cast<INT_PTR>(speed)),
                                 SPIF_SENDCHANGE) != FALSE;
  }
  bool WriteWheelLines(int lines) override {
    const UINT value = lines < 0 ? WHEEL_PAGESCROLL : static_cast<UINT>(lines);
    return SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, value, nullptr, SPIF_SENDCHANGE) !=
           FALSE;
  }
  bool WriteDoubleClickMs(int milliseconds) override {
    return SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, static_cast<UINT>(milliseconds), nullptr,
                                 SPIF_UPDATEINIFILE | SPIF_SENDCHANGE) != FALSE;
  }
  bool WriteAcceleration(bool on) override {
    int mouse[3];
    const int* from = on ? kAcceleratedMouse : kPlainMouse;
    for (int i = 0; i < 3; ++i) mouse[i] = from[i];
    return SystemParametersInfoW(SPI_SETMOUSE, 0, mouse, SPIF_SENDCHANGE) != FALSE;
  }
};

}  // namespace

std::unique_ptr<PointerBackend> CreatePointerBackend() { return std::make_unique<SpiPointer>(); }

}  // namespace corvaline::platform
