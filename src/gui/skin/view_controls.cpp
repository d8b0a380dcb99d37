#include "gui/skin/view_controls.h"

#include "gui/skin/skin_image.h"

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

void DrawPictureControls(const std::vector<ViewControl>& controls, QImage& canvas, const QFont& font) {
  for (const ViewControl& c : controls)
    if (!c.picture.empty()) DrawSkinFile(&canvas, c.picture, c.rect.left, c.rect.top);
  for (const ViewControl& c : controls) DrawCaption(c, canvas, font);
}

void DrawCaption(const ViewControl& control, QImage& canvas, const QFont& font) {
  if (control.captioned && control.name) DrawSkinText(&canvas, control.name(), ToQRect(control.rect), font, kCaptionAlign);
}

std::vector<HoverElement> HoverElementsOf(const std::vector<ViewControl>& controls, int firstId) {
  std::vector<HoverElement> elements;
  for (size_t i = 0; i < controls.size(); ++i) {
    const ViewControl& c = controls[i];
    if (c.picture.empty()) continue;
    elements.push_back({firstId + static_cast<int>(i), ToQRect(c.rect), HoverPage::Both, c.hoverGroup, c.picture,
                        c.overPicture});
  }
  return elements;
}

}  // namespace corvaline
