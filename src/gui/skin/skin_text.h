// Texts drawn over the skin images: one line, vertically centred, transparent
// background, in the process-wide UI text colour.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

#include <string_view>

#include "core/pixel_rect.h"

namespace corvaline {

// The program's texts are UTF-8; Qt's are UTF-16.
QString Utf8(std::string_view text);

// Rectangles are given as left, top, right, bottom (right and bottom
// excluded), the way the window layouts list them.
constexpr QRect RectLTRB(int left, int top, int right, int bottom) {
  return QRect(left, top, right - left, bottom - top);
}
constexpr QRect ToQRect(const PixelRect& r) { return RectLTRB(r.left, r.top, r.right, r.bottom); }

// Titles and labels: left aligned. Button captions: centred both ways.
inline constexpr Qt::Alignment kLabelAlign = Qt::AlignLeft | Qt::AlignVCenter;
inline constexpr Qt::Alignment kCaptionAlign = Qt::AlignHCenter | Qt::AlignVCenter;

// Draws `text` in `rect` with the given font and alignment in the UI text
// colour. Text that does not fit is clipped at the rectangle, never wrapped.
void DrawSkinText(QPainter& painter, const QString& text, const QRect& rect, const QFont& font,
                  Qt::Alignment align);
// The same with an explicit colour (some dialog texts are always white).
void DrawSkinText(QPainter& painter, const QString& text, const QRect& rect, const QFont& font,
                  Qt::Alignment align, const QColor& colour);
// Opens a painter on the canvas for one text; no-op without a canvas.
void DrawSkinText(QImage* canvas, const QString& text, const QRect& rect, const QFont& font,
                  Qt::Alignment align);

}  // namespace corvaline
