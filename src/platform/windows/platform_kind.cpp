#include "platform/platform_kind.h"

namespace corvaline::platform {

PlatformKind ThisPlatform() { return PlatformKind::Windows; }

}  // namespace corvaline::platform
