// The keyboard's focus mark in two colours: each of its pixels takes the one
// of the pair that stands out more from the pixel it covers, so the mark
// stays visible over any picture a skin draws. Contrast is measured as WCAG
// 2 measures it (relative luminance, (lighter + 0.05) / (darker + 0.05)).
//
// A pair whose own contrast is at least 9:1 keeps every pixel of the mark at
// 3:1 or more, whatever lies under it: the pixel colour where both choices
// are equally weak has a contrast of sqrt(9) = 3 with each.
#pragma once

#include "core/settings/skin_ini.h"

namespace corvaline {

inline constexpr double kFocusMarkContrast = 3.0;

struct FocusMarkColours {
  Rgb mark{};      // the skin's FocusColor
  Rgb contrast{};  // its FocusContrastColor, for where the first one is weak
  bool operator==(const FocusMarkColours&) const = default;
};

// 0 for black .. 1 for white.
double RelativeLuminance(const Rgb& rgb);
// 1 (the same luminance) .. 21 (black on white), either order.
double ContrastRatio(const Rgb& a, const Rgb& b);

// The pair of a skin: its two colours where it declares both. Where it
// declares one, the other is black or white, whichever differs more from it;
// where it declares none, white and black.
FocusMarkColours FocusMarkColoursOf(const SkinColours& skin);

// The colour of the mark pixel that lies over `beneath`: the mark colour
// unless the contrast colour stands out more.
Rgb FocusMarkPixel(const FocusMarkColours& colours, const Rgb& beneath);

}  // namespace corvaline
