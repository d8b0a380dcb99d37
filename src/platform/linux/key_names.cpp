#include "platform/key_names.h"

#include "core/buttons/scan_codes.h"

namespace corvaline::platform {

std::string KeyNameFromNativeScanCode(std::uint32_t nativeScanCode) {
  return std::string(KeyNameFromXkbKeycode(nativeScanCode));
}

}  // namespace corvaline::platform
