#include "gui/pages/page_controls.h"

namespace corvaline::gui {

std::optional<bool> ClickControls(const std::vector<PageControl>& controls, int x, int y, QImage* canvas) {
  for (const PageControl& c : controls)
    if (c.click && c.rect.Contains(x, y)) return c.click(x, y, canvas);
  return std::nullopt;
}

}  // namespace corvaline::gui
