#include "gui/skin/view_controls.h"

namespace corvaline {

std::optional<bool> ClickControls(const std::vector<ViewControl>& controls, int x, int y, QImage* canvas) {
  for (const ViewControl& c : controls)
    if (c.click && c.rect.Contains(x, y)) return c.click(x, y, canvas);
  return std::nullopt;
}

void DrawControls(const std::vector<ViewControl>& controls, QImage& canvas) {
  for (const ViewControl& c : controls)
    if (c.draw) c.draw(canvas);
}

}  // namespace corvaline
