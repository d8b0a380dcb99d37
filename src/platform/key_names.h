// The key-name service: the name of the physical key behind a key event, as
// Windows names that key for a US English layout (the key-name table's
// names). The key-capture dialogs and the macro recorder take their names
// from here, so a key is named the same way wherever it is pressed.
#pragma once

#include <cstdint>
#include <string>

namespace corvaline::platform {

// `nativeScanCode` is what the toolkit reports for the event: the xkb
// keycode on Linux (X11 and Wayland), the scan code with its extended-key
// bit (0x100) on Windows. Empty when the key has no name.
std::string KeyNameFromNativeScanCode(std::uint32_t nativeScanCode);

}  // namespace corvaline::platform
