// The focus mark's frame over a picture: 2 logical pixels wide at either
// ratio, each pixel in the colour that stands out from the one beneath, the
// inside left clear so the control shows through.
#include <QPainter>

#include <gtest/gtest.h>

#include "gui/skin/focus_mark_paint.h"

namespace corvaline {
namespace {

TEST(FocusMarkPaintTest, TheFrameIsTwoLogicalPixelsAndEachPixelTakesTheStrongerColour) {
  const FocusMarkColours colours{Rgb{255, 200, 0}, Rgb{0, 0, 0}};
  for (int ratio : {1, 2}) {
    SCOPED_TRACE(ratio);
    // Dark on the left half, white on the right.
    QImage beneath(40 * ratio, 20 * ratio, QImage::Format_RGB32);
    beneath.setDevicePixelRatio(ratio);
    beneath.fill(QColor(20, 22, 26));
    QPainter(&beneath).fillRect(QRect(20, 0, 20, 20), Qt::white);
    const QImage mark = FocusMarkOver(beneath, colours);
    ASSERT_EQ(mark.size(), beneath.size());
    EXPECT_EQ(mark.devicePixelRatio(), ratio);
    const int edge = 2 * ratio;  // 2 logical pixels, whatever the constant says
    for (int x : {0, edge - 1}) EXPECT_EQ(mark.pixel(x, 10 * ratio), qRgb(255, 200, 0)) << x;
    for (int x : {mark.width() - 1, mark.width() - edge})
      EXPECT_EQ(mark.pixel(x, 10 * ratio), qRgb(0, 0, 0)) << x;
    EXPECT_EQ(mark.pixel(5 * ratio, edge - 1), qRgb(255, 200, 0));
    EXPECT_EQ(mark.pixel(35 * ratio, mark.height() - 1), qRgb(0, 0, 0));
    EXPECT_EQ(qAlpha(mark.pixel(edge, edge)), 0);
    EXPECT_EQ(qAlpha(mark.pixel(mark.width() - edge - 1, mark.height() - edge - 1)), 0);
  }
}

}  // namespace
}  // namespace corvaline
