// Double buffering for the skinned windows: everything is drawn off-screen and
// reaches the target in one copy, so no half-drawn picture is ever visible.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>

#include <optional>

namespace corvaline {

class CMemDC {
 public:
  // `target` is the painter of the window (or printer) being painted; `rect`
  // the area in target coordinates, or an empty rectangle for the target's
  // whole clip region. With `selected` the drawing goes into that image (the
  // window's canvas, which keeps the picture); otherwise into a buffer of the
  // rectangle's size. Either way the painter works in target coordinates.
  // A printer target is drawn on directly, without a buffer.
  CMemDC(QPainter* target, const QRect& rect, QImage* selected = nullptr);
  ~CMemDC();  // copies the rectangle to the target

  CMemDC(const CMemDC&) = delete;
  CMemDC& operator=(const CMemDC&) = delete;

  // The painter to draw with; nullptr without a target.
  QPainter* Painter();
  // The off-screen surface (the selected canvas or the own buffer); nullptr
  // when drawing goes straight to a printer.
  QImage* Surface();
  bool IsMemory() const { return memory_; }
  const QRect& Rect() const { return rect_; }

 private:
  QPainter* target_;
  QRect rect_;
  bool memory_ = false;
  QImage buffer_;
  QImage* surface_ = nullptr;
  std::optional<QPainter> painter_;
};

}  // namespace corvaline
