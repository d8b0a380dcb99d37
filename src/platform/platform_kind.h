// Which system this build runs on, for the texts that speak its words.
#pragma once

#include "core/device/no_mouse_help.h"

namespace corvaline::platform {

PlatformKind ThisPlatform();

}  // namespace corvaline::platform
