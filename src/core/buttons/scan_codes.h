// Key names by physical key. The mouse sends key positions (HID usages), not
// characters, so a captured or recorded key is named by where it sits on the
// keyboard, the way Windows names that key for a US English layout: the
// names of the key-name table. On a French AZERTY keyboard the key labelled
// A is therefore "Q", and the mouse then types whatever that key types.
#pragma once

#include <string_view>

namespace corvaline {

// The name of the key with this X11/xkb keycode (the Linux evdev code + 8,
// which is also what Qt reports as the native scan code on X11 and Wayland).
// Keys the key-name table lacks get the name Windows gives them
// ("Application", "F13" ...), which encodes as 0; a keycode that names no key
// at all gives the empty name.
std::string_view KeyNameFromXkbKeycode(unsigned keycode);

// The evdev code of a key, for callers that read evdev themselves.
inline constexpr unsigned kXkbKeycodeOffset = 8;

}  // namespace corvaline
