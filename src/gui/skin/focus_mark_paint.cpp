#include "gui/skin/focus_mark_paint.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>

#include "gui/skin/child_colours.h"

namespace corvaline {

namespace {

Rgb ToRgb(QRgb c) {
  return {static_cast<std::uint8_t>(qRed(c)), static_cast<std::uint8_t>(qGreen(c)),
          static_cast<std::uint8_t>(qBlue(c))};
}

QRegion FrameRegion(const QRect& outer, int width) {
  return QRegion(outer).subtracted(QRegion(outer.adjusted(width, width, -width, -width)));
}

// What the parent and the mark's siblings draw in the mark's frame, in their
// stacking order; the mark itself is left out (drawing it again from its own
// paint would be a recursive paint).
void DrawBeneath(QWidget& mark, QImage& beneath) {
  QWidget* parent = mark.parentWidget();
  const QRect area = mark.geometry();
  const QRegion frame = FrameRegion(area, kFocusMarkWidth);
  parent->render(&beneath, QPoint(), frame, QWidget::DrawWindowBackground);
  for (QObject* object : parent->children()) {
    auto* sibling = qobject_cast<QWidget*>(object);
    if (!sibling || sibling == &mark || sibling->isWindow() || !sibling->isVisible()) continue;
    const QRegion part = frame.intersected(sibling->geometry());
    if (part.isEmpty()) continue;
    QWidget::RenderFlags flags = QWidget::DrawChildren;
    if (sibling->autoFillBackground()) flags |= QWidget::DrawWindowBackground;
    sibling->render(&beneath, part.boundingRect().topLeft() - area.topLeft(),
                    part.translated(-sibling->pos()), flags);
  }
}

}  // namespace

QImage FocusMarkOver(const QImage& beneath, const FocusMarkColours& colours) {
  const QImage under = beneath.convertToFormat(QImage::Format_RGB32);
  QImage mark(under.size(), QImage::Format_ARGB32);
  mark.setDevicePixelRatio(beneath.devicePixelRatio());
  mark.fill(Qt::transparent);
  const int width =
      std::max(1, static_cast<int>(std::lround(kFocusMarkWidth * beneath.devicePixelRatio())));
  const int w = under.width(), h = under.height();
  for (int y = 0; y < h; ++y) {
    const bool edgeRow = y < width || y >= h - width;
    for (int x = 0; x < w; ++x) {
      if (!edgeRow && x >= width && x < w - width) continue;
      const Rgb pixel = FocusMarkPixel(colours, ToRgb(under.pixel(x, y)));
      mark.setPixel(x, y, qRgb(pixel[0], pixel[1], pixel[2]));
    }
  }
  return mark;
}

void PaintFocusMark(QWidget& mark) {
  if (!mark.parentWidget()) return;
  QPainter painter(&mark);
  // The device pixels the mark lands on: 2 where the window is drawn at twice
  // the pixels, whether on a screen or into a picture.
  const qreal ratio = std::max<qreal>(1.0, std::abs(painter.deviceTransform().m11()));
  QImage beneath((QSizeF(mark.size()) * ratio).toSize(), QImage::Format_RGB32);
  beneath.setDevicePixelRatio(ratio);
  beneath.fill(Qt::black);
  DrawBeneath(mark, beneath);
  painter.drawImage(QPoint(0, 0), FocusMarkOver(beneath, FocusMarkColoursOf(CurrentSkinColours())));
}

}  // namespace corvaline
