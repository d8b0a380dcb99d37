#include "platform/key_names.h"

#include "platform/windows/win_hid.h"

namespace corvaline::platform {

std::string KeyNameFromNativeScanCode(std::uint32_t nativeScanCode) {
  // GetKeyNameTextW reads the keystroke's flags word: the scan code in bits
  // 16..23 and the extended-key flag in bit 24.
  const LONG flags = static_cast<LONG>(((nativeScanCode & 0xFFu) << 16) |
                                       ((nativeScanCode & 0x100u) ? (1u << 24) : 0u));
  wchar_t name[32] = {};
  if (GetKeyNameTextW(flags, name, 32) <= 0) return {};
  return Utf8FromWide(name);
}

}  // namespace corvaline::platform
