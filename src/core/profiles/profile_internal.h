// Between the profile writer and reader only.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/profiles/profile.h"

namespace corvaline::profile_internal {

// Reads a profile onto a configuration whose every byte is `fill` before the
// preserved bytes and the named members are written over it.
ProfileResult ReadProfileOnto(std::string_view text, UiLanguage language, std::uint8_t fill);

}  // namespace corvaline::profile_internal
