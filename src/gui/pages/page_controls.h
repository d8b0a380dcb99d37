// The controls of a page: one list per page (gui/skin/view_controls.h) that
// its painting, its clicks and its accessible objects all come from.
#pragma once

#include "gui/skin/view_controls.h"

namespace corvaline::gui {

using PageControl = ViewControl;

}  // namespace corvaline::gui
