#include "core/device/handshake.h"

#include <algorithm>

#include "core/device/talk_lock.h"
#include "core/device/transfer.h"

namespace corvaline {

namespace {

// Sends the request, gives the mouse its time, and tests the answer's magic.
bool Attempt(DeviceLink& link) {
  CommandBlock block = kHandshakeRequest;
  WriteCommandBlock(link, block);
  Pause(link, kHandshakeWaitMs);
  CommandBlock answer{};
  ReadCommandBlock(link, answer);
  return std::equal(kHandshakeMagic.begin(), kHandshakeMagic.end(), answer.begin() + 1);
}

}  // namespace

LinkOutcome Handshake(DeviceLink& link) {
  const auto hold = HoldTalk(link);
  if (!hold) {
    Notify(link, kNotifyMouseNotUsable);
    SetDeviceReady(link, false);
    return {false, {hold.Reason()}};
  }
  link.scramblingOn = false;
  bool accepted = false;
  // A mouse that answers the plain request with the magic bytes only echoes
  // what it gets; it is refused without a second attempt.
  if (!Attempt(link)) {
    link.handshakeKey = kHandshakeKey;
    link.scramblingOn = true;
    accepted = Attempt(link);
  }
  if (accepted) {
    Notify(link, kNotifyMouseReady);
    SetDeviceReady(link, true);
  } else {
    link.scramblingOn = false;
    Notify(link, kNotifyMouseNotUsable);
    SetDeviceReady(link, false);
  }
  return {accepted, {}};
}

}  // namespace corvaline
