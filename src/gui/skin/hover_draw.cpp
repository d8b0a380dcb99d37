#include "gui/skin/hover_draw.h"

#include <cstring>

#include "gui/skin/skin_image.h"
#include "gui/skin/skin_scale.h"
#include "gui/skin/skin_state.h"
#include "gui/skin/skin_text.h"

namespace corvaline {

namespace {

// The logical rectangle both pictures of an element cover at its corner.
QRect ElementPictureArea(const QImage& canvas, const HoverElement& e) {
  QRect area;
  const int ratio = CanvasRatio(canvas);
  for (std::string_view file : {e.normalImage, e.overImage}) {
    if (const SkinImage* image = FindSkinImageFor(canvas, SkinPath(file)))
      area |= QRect(e.region.topLeft(), QSize(image->width / ratio, image->height / ratio));
  }
  return area;
}

}  // namespace

namespace {

// Copies the pixels of `area` (logical) from one canvas to another of the
// same size, ratio and format.
void CopyArea(const QImage& from, QImage& to, const QRect& area) {
  const int ratio = CanvasRatio(to);
  const QRect pixels = QRect(area.topLeft() * ratio, area.size() * ratio).intersected(to.rect());
  const qsizetype rowBytes = static_cast<qsizetype>(pixels.width()) * to.depth() / 8;
  const qsizetype offset = static_cast<qsizetype>(pixels.x()) * to.depth() / 8;
  for (int y = pixels.top(); y <= pixels.bottom(); ++y)
    std::memcpy(to.scanLine(y) + offset, from.constScanLine(y) + offset, static_cast<size_t>(rowBytes));
}

}  // namespace

bool RestoreUnder(QImage* canvas, const QRect& area, const HoverUnderLayers& layers) {
  if (!canvas || canvas->isNull() || area.isEmpty() || layers.empty()) return false;
  const int ratio = CanvasRatio(*canvas);
  const QRect pixels = QRect(area.topLeft() * ratio, area.size() * ratio).intersected(canvas->rect());
  if (pixels.isEmpty()) return false;
  QImage patch(pixels.size(), QImage::Format_RGB32);
  patch.setDevicePixelRatio(ratio);
  patch.fill(Qt::black);
  // A picture that cannot be read (the plain window of a missing skin) leaves
  // the canvas as it is rather than punching a black hole in it.
  for (std::string_view layer : layers)
    if (DrawSkinFile(&patch, layer, -pixels.x() / ratio, -pixels.y() / ratio) == 0) return false;
  patch.convertTo(canvas->format());
  const qsizetype rowBytes = static_cast<qsizetype>(pixels.width()) * canvas->depth() / 8;
  const qsizetype offset = static_cast<qsizetype>(pixels.x()) * canvas->depth() / 8;
  for (int y = 0; y < pixels.height(); ++y)
    std::memcpy(canvas->scanLine(pixels.y() + y) + offset, patch.constScanLine(y), static_cast<size_t>(rowBytes));
  return true;
}

void DrawHoverElement(QImage* canvas, const HoverElement& element, bool over, const QString& caption,
                      const QFont& font) {
  const std::string_view image = over ? element.overImage : element.normalImage;
  const QPoint at = element.region.topLeft();
  if (DrawSkinFile(canvas, image, at.x(), at.y()) == 0) return;
  DrawSkinText(canvas, caption, element.region, font, kCaptionAlign);
}

namespace {

// An element back to normal over what lies under it. Neighbours whose
// pictures reach into that area (OK, Apply and Cancel share a column) are
// drawn again there too, in the table's order, which is the order the page
// drew them in; only the area itself is taken over, so nothing outside it is
// blended twice.
bool RedrawNormalOverUnder(QImage* canvas, const HoverTracker& tracker, int index, const HoverTextDrawer& drawText,
                           const HoverUnderLayers& under, const HoverShownFilter& shown) {
  const auto& elements = tracker.Elements();
  const QRect area = ElementPictureArea(*canvas, elements[static_cast<size_t>(index)]);
  QImage scratch = canvas->copy();
  if (!RestoreUnder(&scratch, area, under)) return false;
  for (size_t i = 0; i < elements.size(); ++i) {
    const HoverElement& f = elements[i];
    const bool self = static_cast<int>(i) == index;
    if (!self && ((shown && !shown(f)) || !ElementPictureArea(*canvas, f).intersects(area))) continue;
    const bool over = !self && tracker.IsHighlighted(f.id);
    if (DrawSkinFile(&scratch, over ? f.overImage : f.normalImage, f.region.x(), f.region.y()) == 0) continue;
    if (drawText) drawText(&scratch, f);
  }
  CopyArea(scratch, *canvas, area);
  return true;
}

}  // namespace

void DrawHoverRedraws(QImage* canvas, const HoverTracker& tracker, const std::vector<HoverRedraw>& redraws,
                      const HoverTextDrawer& drawText, const HoverUnderLayers& under, const HoverShownFilter& shown) {
  if (!canvas) return;
  const auto& elements = tracker.Elements();
  for (const HoverRedraw& r : redraws) {
    if (r.index < 0 || r.index >= static_cast<int>(elements.size())) continue;
    if (!r.over && RedrawNormalOverUnder(canvas, tracker, r.index, drawText, under, shown)) continue;
    const HoverElement& e = elements[static_cast<size_t>(r.index)];
    if (DrawSkinFile(canvas, r.over ? e.overImage : e.normalImage, e.region.x(), e.region.y()) == 0) continue;
    if (drawText) drawText(canvas, e);
  }
}

}  // namespace corvaline
