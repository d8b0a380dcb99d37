// A rectangle in a window's client pixels, half-open (left <= x < right,
// top <= y < bottom), the way the window layouts list them. The one
// rectangle the core and the GUI share; gui/skin's ToQRect turns it into Qt's.
#pragma once

namespace corvaline {

struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  constexpr bool Contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
};

}  // namespace corvaline
