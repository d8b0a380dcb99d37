#include "core/settings/focus_mark.h"

#include <algorithm>
#include <cmath>

namespace corvaline {

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

double Linear(std::uint8_t value) {
  const double s = value / 255.0;
  return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
}

Rgb BlackOrWhiteAgainst(const Rgb& colour) {
  return ContrastRatio(colour, kBlack) >= ContrastRatio(colour, kWhite) ? kBlack : kWhite;
}

}  // namespace

double RelativeLuminance(const Rgb& rgb) {
  return 0.2126 * Linear(rgb[0]) + 0.7152 * Linear(rgb[1]) + 0.0722 * Linear(rgb[2]);
}

double ContrastRatio(const Rgb& a, const Rgb& b) {
  const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

FocusMarkColours FocusMarkColoursOf(const SkinColours& skin) {
  if (skin.focus && skin.focusContrast) return {*skin.focus, *skin.focusContrast};
  if (skin.focus) return {*skin.focus, BlackOrWhiteAgainst(*skin.focus)};
  if (skin.focusContrast) return {BlackOrWhiteAgainst(*skin.focusContrast), *skin.focusContrast};
  return {kWhite, kBlack};
}

Rgb FocusMarkPixel(const FocusMarkColours& colours, const Rgb& beneath) {
  return ContrastRatio(colours.contrast, beneath) > ContrastRatio(colours.mark, beneath)
             ? colours.contrast
             : colours.mark;
}

}  // namespace corvaline
