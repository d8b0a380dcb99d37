// Finding out whether the opened mouse speaks the scrambled protocol.
#pragma once

#include "core/device/device_link.h"

namespace corvaline {

// Two attempts: first in plain, where a mouse that merely echoes the request
// is refused; then scrambled with the HandshakeKey. Sets scramblingOn and
// deviceReady and notifies 14 (ready) or 15 (not usable). Returns deviceReady.
bool Handshake(DeviceLink& link);

}  // namespace corvaline
