// The pauses the mouse needs, kept close to their length. A plain sleep
// oversleeps every one of Apply's 90 pauses (by the timer tick on Windows,
// 15.6 ms, and by the thread's timer slack and wake-up latency on Linux);
// this sleeper sharpens the system's timer for the length of an Apply, waits
// out the end of each pause on the clock, and never wakes early.
#pragma once

#include "core/device/device_link.h"

namespace corvaline::platform {

// The program's sleeper; one per process, used from one thread at a time.
Sleeper& SystemSleeper();

}  // namespace corvaline::platform
