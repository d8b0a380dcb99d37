// Screens above 100%: the canvas at twice the pixels from the 2x images, the
// 1x file doubled where a skin has no 2x one, positions in logical pixels.
#include <gtest/gtest.h>

#include "gui/skin/skin_files.h"
#include "gui/skin/skin_image.h"
#include "gui/skin/skin_scale.h"
#include "ui_test_support.h"

namespace corvaline {
namespace {

using test::Filled;
using test::ScratchSkin;
using test::WritePng;

struct RatioTwo {
  RatioTwo() { SetSkinPixelRatio(1.5); }  // 150% composes from the 2x set too
  ~RatioTwo() { SetSkinPixelRatio(1.0); }
};

TEST(SkinScaleTest, CanvasAtTwiceThePixelsFromThe2xSetPositionsStayLogical) {
  ScratchSkin skin;
  ASSERT_TRUE(WritePng(skin.Path(kMainPng), Filled(30, 20, QColor(10, 10, 10)), false));
  ASSERT_TRUE(WritePng(DoubleSizePath(skin.Path(kMainPng)), Filled(60, 40, QColor(20, 20, 20)), false));
  ASSERT_TRUE(WritePng(skin.Path(kPanePng), Filled(2, 2, QColor(1, 1, 1)), false));
  ASSERT_TRUE(WritePng(DoubleSizePath(skin.Path(kPanePng)), Filled(4, 4, QColor(200, 0, 0)), false));
  ASSERT_TRUE(WritePng(skin.Path(kPaneTickPng), Filled(2, 2, QColor(0, 0, 200)), false));  // no 2x
  RatioTwo ratio;

  QImage canvas = LoadMainCanvas();
  ASSERT_EQ(canvas.size(), QSize(60, 40));
  EXPECT_EQ(canvas.deviceIndependentSize(), QSizeF(30, 20));
  EXPECT_EQ(canvas.pixel(59, 39), qRgb(20, 20, 20));

  ASSERT_EQ(DrawSkinFile(&canvas, kPanePng, 3, 4), 1);  // logical (3, 4): pixels (6, 8)..(9, 11)
  EXPECT_EQ(canvas.pixel(6, 8), qRgb(200, 0, 0));
  EXPECT_EQ(canvas.pixel(9, 11), qRgb(200, 0, 0));
  EXPECT_EQ(canvas.pixel(10, 12), qRgb(20, 20, 20));
  EXPECT_EQ(canvas.pixel(5, 7), qRgb(20, 20, 20));

  ASSERT_EQ(DrawSkinFile(&canvas, kPaneTickPng, 10, 10), 1);  // doubled: 4 x 4 pixels
  EXPECT_EQ(canvas.pixel(20, 20), qRgb(0, 0, 200));
  EXPECT_EQ(canvas.pixel(23, 23), qRgb(0, 0, 200));
  EXPECT_EQ(canvas.pixel(24, 24), qRgb(20, 20, 20));
}

TEST(SkinScaleTest, ASkinWithout2xImagesAndScreensAt100PercentWorkAsBefore) {
  ScratchSkin skin;
  ASSERT_TRUE(WritePng(skin.Path(kMainPng), Filled(30, 20, QColor(10, 10, 10)), false));
  EXPECT_EQ(LoadMainCanvas().size(), QSize(30, 20));  // ratio 1: the 1x file
  RatioTwo ratio;
  const QImage canvas = LoadMainCanvas();
  ASSERT_EQ(canvas.size(), QSize(60, 40));
  EXPECT_EQ(canvas.pixel(59, 39), qRgb(10, 10, 10));
  EXPECT_EQ(DoubleSizePath("/a.b/main.png"), "/a.b/main@2x.png");
}

}  // namespace
}  // namespace corvaline
