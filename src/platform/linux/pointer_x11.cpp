// An X server without a settings daemon: the pointer devices that the
// libinput driver runs carry their speed and acceleration profile as XInput2
// device properties; without them only the core pointer's acceleration
// (XChangePointerControl) can be set. Neither has a wheel or double-click
// setting: those belong to each application there.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <algorithm>
#include <vector>

#include "core/system/pointer_levels.h"
#include "platform/linux/pointer_backends.h"

namespace corvaline::platform {
namespace {

constexpr char kAccelSpeed[] = "libinput Accel Speed";
constexpr char kAccelProfile[] = "libinput Accel Profile Enabled";

// Core acceleration "on": twice as fast beyond 4 pixels per event.
constexpr int kAccelNumerator = 2;
constexpr int kAccelDenominator = 1;
constexpr int kAccelThreshold = 4;

// Xlib's default error handler ends the process; a device that vanished or
// refuses a value must only fail the one request.
int g_lastXError = 0;
int RecordXError(Display*, XErrorEvent* event) {
  g_lastXError = event->error_code;
  return 0;
}

class ErrorTrap {
 public:
  explicit ErrorTrap(Display* display) : display_(display) {
    g_lastXError = 0;
    previous_ = XSetErrorHandler(RecordXError);
  }
  ~ErrorTrap() { XSetErrorHandler(previous_); }
  ErrorTrap(const ErrorTrap&) = delete;
  ErrorTrap& operator=(const ErrorTrap&) = delete;
  // Waits for the server's answer to everything sent; true when none failed.
  bool Succeeded() {
    XSync(display_, False);
    return g_lastXError == 0;
  }

 private:
  Display* display_;
  int (*previous_)(Display*, XErrorEvent*);
};

struct Property {
  Atom type = None;
  int format = 0;
  std::vector<unsigned char> bytes;  // items of format / 8 bytes each
  unsigned long items = 0;
};

class X11Pointer : public PointerBackend {
 public:
  X11Pointer(Display* display, bool xinput2) : display_(display) {
    speedAtom_ = XInternAtom(display_, kAccelSpeed, True);
    profileAtom_ = XInternAtom(display_, kAccelProfile, True);
    if (xinput2) FindLibinputDevices();
  }
  ~X11Pointer() override { XCloseDisplay(display_); }
  X11Pointer(const X11Pointer&) = delete;
  X11Pointer& operator=(const X11Pointer&) = delete;

  std::string_view Name() const override {
    return libinput() ? "X11 libinput" : "X11 core pointer";
  }
  bool Supports(PointerSetting setting) const override {
    if (setting == PointerSetting::Acceleration) return true;
    return setting == PointerSetting::Speed && !speedDevices_.empty();
  }

  std::optional<int> ReadSpeed() override;
  std::optional<int> ReadWheelLines() override { return std::nullopt; }
  std::optional<int> ReadDoubleClickMs() override { return std::nullopt; }
  std::optional<bool> ReadAcceleration() override;

  bool WriteSpeed(int speed) override;
  bool WriteWheelLines(int) override { return false; }
  bool WriteDoubleClickMs(int) override { return false; }
  bool WriteAcceleration(bool on) override;

 private:
  bool libinput() const { return !speedDevices_.empty() || !profileDevices_.empty(); }
  void FindLibinputDevices();
  std::optional<Property> Get(int device, Atom property);
  bool Change(int device, Atom property, const Property& value);

  Display* display_;
  Atom speedAtom_ = None;
  Atom profileAtom_ = None;
  std::vector<int> speedDevices_;    // slave pointers with an accel speed
  std::vector<int> profileDevices_;  // slave pointers with an accel profile
};

void X11Pointer::FindLibinputDevices() {
  if (speedAtom_ == None && profileAtom_ == None) return;
  int count = 0;
  XIDeviceInfo* devices = XIQueryDevice(display_, XIAllDevices, &count);
  for (int i = 0; i < count; ++i) {
    if (devices[i].use != XISlavePointer || !devices[i].enabled) continue;
    int properties = 0;
    Atom* atoms = XIListProperties(display_, devices[i].deviceid, &properties);
    for (int p = 0; p < properties; ++p) {
      if (atoms[p] == speedAtom_) speedDevices_.push_back(devices[i].deviceid);
      if (atoms[p] == profileAtom_) profileDevices_.push_back(devices[i].deviceid);
    }
    XFree(atoms);
  }
  XIFreeDeviceInfo(devices);
}

std::optional<Property> X11Pointer::Get(int device, Atom property) {
  ErrorTrap trap(display_);
  Property out;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  const Status status = XIGetProperty(display_, device, property, 0, 16, False, AnyPropertyType,
                                      &out.type, &out.format, &out.items, &after, &data);
  const bool ok = trap.Succeeded() && status == Success && data && out.items > 0;
  if (ok) out.bytes.assign(data, data + out.items * static_cast<unsigned long>(out.format / 8));
  if (data) XFree(data);
  if (!ok) return std::nullopt;
  return out;
}

bool X11Pointer::Change(int device, Atom property, const Property& value) {
  ErrorTrap trap(display_);
  // XInput2 passes format-32 items as 32-bit words, not as longs.
  XIChangeProperty(display_, device, property, value.type, value.format, XIPropModeReplace,
                   const_cast<unsigned char*>(value.bytes.data()), static_cast<int>(value.items));
  return trap.Succeeded();
}

std::optional<int> X11Pointer::ReadSpeed() {
  for (int device : speedDevices_) {
    const auto p = Get(device, speedAtom_);
    if (!p || p->format != 32) continue;
    float scale = 0;
    std::copy(p->bytes.begin(), p->bytes.begin() + sizeof scale,
              reinterpret_cast<unsigned char*>(&scale));
    return SystemSpeedFromScale(scale);
  }
  return std::nullopt;
}

bool X11Pointer::WriteSpeed(int speed) {
  if (speedDevices_.empty()) return false;
  Property value;
  value.type = XInternAtom(display_, "FLOAT", False);
  value.format = 32;
  value.items = 1;
  const float scale = static_cast<float>(SpeedScaleFromSystem(speed));
  const auto* raw = reinterpret_cast<const unsigned char*>(&scale);
  value.bytes.assign(raw, raw + sizeof scale);
  bool all = true;
  for (int device : speedDevices_) all = Change(device, speedAtom_, value) && all;
  return all;
}

std::optional<bool> X11Pointer::ReadAcceleration() {
  // The profile list is {adaptive, flat[, custom]}, one flag byte each.
  for (int device : profileDevices_) {
    const auto p = Get(device, profileAtom_);
    if (p && p->format == 8) return p->bytes[0] != 0;
  }
  int numerator = 0, denominator = 1, threshold = 0;
  ErrorTrap trap(display_);
  XGetPointerControl(display_, &numerator, &denominator, &threshold);
  if (!trap.Succeeded() || denominator <= 0) return std::nullopt;
  return numerator > denominator;
}

bool X11Pointer::WriteAcceleration(bool on) {
  if (!profileDevices_.empty()) {
    bool all = true;
    for (int device : profileDevices_) {
      auto p = Get(device, profileAtom_);
      if (!p || p->format != 8 || p->items < 2) {
        all = false;
        continue;
      }
      std::fill(p->bytes.begin(), p->bytes.end(), 0);
      p->bytes[on ? 0 : 1] = 1;
      all = Change(device, profileAtom_, *p) && all;
    }
    return all;
  }
  ErrorTrap trap(display_);
  if (on)
    XChangePointerControl(display_, True, True, kAccelNumerator, kAccelDenominator, kAccelThreshold);
  else
    XChangePointerControl(display_, True, False, 1, 1, 0);
  return trap.Succeeded();
}

bool HasXInput2(Display* display) {
  int opcode = 0, event = 0, error = 0;
  if (!XQueryExtension(display, "XInputExtension", &opcode, &event, &error)) return false;
  int major = 2, minor = 0;
  return XIQueryVersion(display, &major, &minor) == Success;
}

}  // namespace

std::unique_ptr<PointerBackend> CreateX11PointerBackend(const char* display) {
  Display* connection = XOpenDisplay(display);
  if (!connection) return nullptr;
  return std::make_unique<X11Pointer>(connection, HasXInput2(connection));
}

}  // namespace corvaline::platform
