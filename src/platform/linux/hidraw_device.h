// One opened top-level collection of a hidraw node.
#pragma once

#include <memory>
#include <string>

#include "core/device/hid_port.h"
#include "platform/linux/hid_descriptor.h"

namespace corvaline::platform {

// `fd` is an open hidraw node (owned from here on). The collection's input
// report IDs keep reads to its own reports when the node carries several
// collections; `numberedReports` says whether the wire has ID bytes.
std::unique_ptr<HidDevice> MakeHidrawDevice(int fd, const HidTopCollection& collection,
                                            bool numberedReports, std::string* error);

}  // namespace corvaline::platform
