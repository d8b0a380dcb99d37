// The Linux system backend: hidraw nodes through libudev and sysfs, plus the
// virtual mice of running corvaline-sim processes.
#pragma once

#include <memory>

#include "core/device/hid_port.h"
#include "platform/linux/hidraw_nodes.h"

namespace corvaline::platform {

struct LinuxHidOptions {
  NodeAccessCheck access = NodeAccess;
  bool withVirtualMice = true;
};

// nullptr when udev cannot be reached at all.
std::unique_ptr<HidBackend> CreateLinuxHidBackend(const LinuxHidOptions& options = {});

}  // namespace corvaline::platform
