// Finding out whether the opened mouse speaks the scrambled protocol.
#pragma once

#include <string>
#include <vector>

#include "core/device/device_link.h"

namespace corvaline {

// What a step of connecting achieved: whether the mouse is ready (or, for
// discovery, its command collection open), and what the user is to be told
// of why a part of it cannot be used, in the order found.
struct [[nodiscard]] LinkOutcome {
  bool ready = false;
  std::vector<std::string> problems;
  explicit operator bool() const { return ready; }
};

// Two attempts: first in plain, where a mouse that merely echoes the request
// is refused; then scrambled with the HandshakeKey. Sets scramblingOn and
// deviceReady and notifies 14 (ready) or 15 (not usable). Ready as
// deviceReady; a mouse kept busy by another program is a problem to tell.
LinkOutcome Handshake(DeviceLink& link);

}  // namespace corvaline
