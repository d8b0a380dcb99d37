// The desktop backends of the core's pointer settings (core/system/
// pointer_backend.h), chosen at run time.
#pragma once

#include <memory>

#include "core/system/pointer_backend.h"

namespace corvaline::platform {

// The backend of the desktop the program runs on, chosen at run time; one
// that supports nothing when the desktop offers no way in.
std::unique_ptr<PointerBackend> CreatePointerBackend();

// A backend that supports nothing.
std::unique_ptr<PointerBackend> CreateNoPointerBackend();

}  // namespace corvaline::platform
