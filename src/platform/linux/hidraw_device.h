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
// `readTimeoutMs` bounds a read (an Error when it passes); -1 waits for ever.
HidOpenResult MakeHidrawDevice(int fd, const HidTopCollection& collection, bool numberedReports,
                               int readTimeoutMs = -1);

// How long a data report of a bulk read may be in coming: the mouse sends
// them at once after its answer, so a longer wait means they never come (an
// answer announcing more than the mouse sends), and the read must not hang.
inline constexpr int kCommandReadTimeoutMs = 1000;

}  // namespace corvaline::platform
