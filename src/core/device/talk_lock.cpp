#include "core/device/talk_lock.h"

namespace corvaline {

TalkHold HoldTalk(const DeviceLink& link) {
  TalkHold hold;
  if (!link.talkLockShared) return hold;
  std::string reason;
  hold.lock = LockFile(TalkLockFile(link.devicePath), link.talkLockWait, &reason);
  if (!hold.lock.Held()) {
    hold.ok = false;
    hold.error = "The mouse is busy: another program is talking to it (" + reason + ").";
  }
  return hold;
}

}  // namespace corvaline
