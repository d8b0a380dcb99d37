// Texts drawn over the skin images: vertically centred, transparent
// background, in the process-wide UI text colour; one line, or word-wrapped
// where the control wraps.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

#include <functional>
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
constexpr PixelRect ToPixelRect(const QRect& r) { return {r.left(), r.top(), r.right() + 1, r.bottom() + 1}; }

// Titles and labels: left aligned. Button captions: centred both ways.
inline constexpr Qt::Alignment kLabelAlign = Qt::AlignLeft | Qt::AlignVCenter;
inline constexpr Qt::Alignment kCaptionAlign = Qt::AlignHCenter | Qt::AlignVCenter;

// One line cut at the rectangle, or words wrapped into lines that are
// centred as a block; nothing is ever drawn outside the rectangle.
enum class TextFlow { OneLine, Wrap };

// Draws `text` in `rect` with the given font and alignment in the UI text
// colour.
void DrawSkinText(QPainter& painter, const QString& text, const QRect& rect, const QFont& font,
                  Qt::Alignment align, TextFlow flow = TextFlow::OneLine);
// The same with an explicit colour (some dialog texts are always white).
void DrawSkinText(QPainter& painter, const QString& text, const QRect& rect, const QFont& font,
                  Qt::Alignment align, const QColor& colour, TextFlow flow = TextFlow::OneLine);
// Opens a painter on the canvas for one text; no-op without a canvas.
void DrawSkinText(QImage* canvas, const QString& text, const QRect& rect, const QFont& font,
                  Qt::Alignment align, TextFlow flow = TextFlow::OneLine);

// The flags QPainter::drawText takes for an alignment and a flow.
int SkinTextFlags(Qt::Alignment align, TextFlow flow);

// Every text the windows draw over their skins passes one place, so a check
// can see each with its rectangle and font. The watcher returns whether the
// text is drawn (a check may want the picture without it).
struct DrawnText {
  QString text;
  QRect rect;
  QFont font;
  int flags = 0;
};
using SkinTextWatcher = std::function<bool(const DrawnText&)>;
// Replaces the watcher (an empty one: none); returns the one before.
SkinTextWatcher WatchSkinTexts(SkinTextWatcher watcher);

}  // namespace corvaline
