#include "platform/platform_kind.h"

namespace corvaline::platform {

PlatformKind ThisPlatform() { return PlatformKind::Linux; }

}  // namespace corvaline::platform
