// The fonts of the skinned windows, chosen by language at start-up.
#pragma once

#include <QFont>

#include "core/i18n/fonts.h"

namespace corvaline::gui {

// A font of the text tables as Qt draws it: face, pixel height, weight, and
// a sans-serif stand-in where the face is not installed.
QFont ToQFont(const FontSpec& font);

struct UiFonts {
  QFont normal;  // every text but the page titles
  QFont bold;    // page titles
};

}  // namespace corvaline::gui
