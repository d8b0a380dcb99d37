#include "gui/ui/ui_fonts.h"

#include "gui/ui/skin_text.h"

namespace corvaline::gui {

QFont ToQFont(const FontSpec& font) {
  QFont q(Utf8(font.family));
  q.setPixelSize(font.height);
  q.setWeight(font.weight >= 700 ? QFont::Bold : QFont::Normal);
  q.setStyleHint(QFont::SansSerif);
  return q;
}

}  // namespace corvaline::gui
