// The HID service of the platform layer: the backends that implement the
// core's HidBackend interface. CMake compiles exactly one system backend.
#pragma once

#include <memory>

#include "core/device/hid_port.h"

namespace corvaline::platform {

// The system's HID devices (hidraw + udev on Linux, SetupAPI + HID on
// Windows); on Linux it also lists the virtual mice of running corvaline-sim
// processes.
std::unique_ptr<HidBackend> CreateSystemHidBackend();

}  // namespace corvaline::platform
