// Every font of the tables at its true size: the table's height is the cell
// (ascent + descent) the face draws, not its em.
#include <gtest/gtest.h>

#include <QFontMetrics>

#include "gui/skin/ui_fonts.h"

namespace corvaline::gui {
namespace {

TEST(UiFonts, CellHeightIsTheTablesHeightForEveryRow) {
  for (UiLanguage lang : {UiLanguage::EN, UiLanguage::CHS, UiLanguage::CHT}) {
    for (FontRole role : {FontRole::Normal, FontRole::Bold, FontRole::Dialog}) {
      for (OsVersion os : {OsVersion{}, OsVersion{6, 2}}) {
        const FontSpec font = UiFontFor(role, lang, os);
        const QFontMetrics metrics(ToQFont(font));
        SCOPED_TRACE(std::string(font.family) + " " + std::to_string(font.height));
        EXPECT_EQ(metrics.ascent() + metrics.descent(), font.height);
      }
    }
  }
}

}  // namespace
}  // namespace corvaline::gui
