#include "gui/skin/hover_draw.h"

#include "gui/skin/skin_image.h"
#include "gui/skin/skin_text.h"

namespace corvaline {

void DrawHoverElement(QImage* canvas, const HoverElement& element, bool over, const QString& caption,
                      const QFont& font) {
  const std::string_view image = over ? element.overImage : element.normalImage;
  const QPoint at = element.region.topLeft();
  if (DrawSkinFile(canvas, image, at.x(), at.y()) == 0) return;
  DrawSkinText(canvas, caption, element.region, font, kCaptionAlign);
}

void DrawHoverRedraws(QImage* canvas, const HoverTracker& tracker,
                      const std::vector<HoverRedraw>& redraws, const HoverTextDrawer& drawText) {
  const auto& elements = tracker.Elements();
  for (const HoverRedraw& r : redraws) {
    if (r.index < 0 || r.index >= static_cast<int>(elements.size())) continue;
    const HoverElement& e = elements[static_cast<size_t>(r.index)];
    const QPoint at = e.region.topLeft();
    if (DrawSkinFile(canvas, r.over ? e.overImage : e.normalImage, at.x(), at.y()) == 0) continue;
    if (drawText) drawText(canvas, e);
  }
}

}  // namespace corvaline
