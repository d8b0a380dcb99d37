// The main window's two fonts, chosen by language at start-up.
#pragma once

#include <QFont>

namespace corvaline::gui {

struct UiFonts {
  QFont normal;  // every text but the page titles
  QFont bold;    // page titles
};

}  // namespace corvaline::gui
