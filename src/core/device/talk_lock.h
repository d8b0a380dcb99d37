// One program at a time talks to a mouse. The program and corvalinectl hold
// the mouse's lock file (TalkLockFile of its device path) for a whole
// exchange: a handshake, an Apply, a command line's work; interleaved, their
// commands would take each other's answers.
#pragma once

#include "core/device/device_link.h"
#include "core/settings/file_lock.h"

namespace corvaline {

// Waits up to link.talkLockWait for the lock of the mouse at link.devicePath
// when link.talkLockShared; nests inside a hold this process already has.
// The lock is empty for a mouse no other program can reach; a failure means
// another program kept the mouse past the wait.
Result<FileLock> HoldTalk(const DeviceLink& link);

}  // namespace corvaline
