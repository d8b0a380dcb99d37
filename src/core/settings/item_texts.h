// The texts of str.ini: per language the caption of every button slot of both
// key groups, and the common "Skins" keys.
#pragma once

#include <array>
#include <string>

#include "core/settings/settings_block.h"

namespace corvaline {

// Captions shown in the buttons' boxes: [0] = Mode A, [1] = Mode B, slot 0..11.
using ButtonCaptions = std::array<std::array<std::string, kButtonSlots>, 2>;

struct ItemTexts {
  ButtonCaptions captions;
  std::string red, green, blue;  // "RColor", "GColor", "BColor" of "Skins", as read
  std::string skinPath;          // "Path" of "Skins"
};

}  // namespace corvaline
