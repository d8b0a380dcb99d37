#include "core/device/talk_lock.h"

namespace corvaline {

Result<FileLock> HoldTalk(const DeviceLink& link) {
  if (!link.talkLockShared) return FileLock();
  auto lock = LockFile(TalkLockFile(link.devicePath), link.talkLockWait);
  if (lock) return lock;
  return Result<FileLock>::Failed("The mouse is busy: another program is talking to it (" + lock.Reason() + ").");
}

}  // namespace corvaline
