#include "gui/skin/ui_fonts.h"

#include <QFontMetrics>
#include <algorithm>

#include "gui/skin/skin_text.h"

namespace corvaline::gui {

namespace {

int CellHeight(QFont& font, int pixelSize) {
  font.setPixelSize(pixelSize);
  const QFontMetrics metrics(font);
  return metrics.ascent() + metrics.descent();
}

}  // namespace

// The tables give the cell height (ascent + descent), as a positive font
// height means on Windows, not the em size that setPixelSize takes: the em
// is smaller by the face's own margins (about 12% for Arial). The largest
// em whose cell fits the height is taken.
QFont ToQFont(const FontSpec& font) {
  QFont q(Utf8(font.family));
  q.setWeight(font.weight >= 700 ? QFont::Bold : QFont::Normal);
  q.setStyleHint(QFont::SansSerif);
  const int height = std::max(font.height, 1);
  int size = height;
  while (size > 1 && CellHeight(q, size) > height) --size;
  // A face whose cell is smaller than its em grows up to the height instead.
  while (size < 2 * height && CellHeight(q, size + 1) <= height) ++size;
  q.setPixelSize(size);
  return q;
}

}  // namespace corvaline::gui
