// Slider positions of the pointer settings against the desktop's values.
#include <gtest/gtest.h>

#include "core/system/pointer_levels.h"

namespace corvaline {
namespace {

TEST(PointerLevels, SpeedShowsAndWritesBackAsTheSliderCan) {
  struct Case {
    int system, position, writtenBack;
  } cases[] = {{10, 6, 10}, {1, 1, 1}, {20, 11, 20}, {3, 2, 2}, {0, 1, 1}, {99, 11, 20}};
  for (const Case& c : cases) {
    const int p = SpeedPositionFromSystem(c.system);
    EXPECT_EQ(p, c.position) << c.system;
    EXPECT_EQ(SystemSpeedFromPosition(p), c.writtenBack) << c.system;
  }
  // A damaged byte from config.bin still writes a speed in range.
  EXPECT_EQ(SystemSpeedFromPosition(0), 1);
  EXPECT_EQ(SystemSpeedFromPosition(200), 20);
}

TEST(PointerLevels, SpeedScaleOfDesktopsWithMinusOneToOne) {
  EXPECT_DOUBLE_EQ(SpeedScaleFromSystem(10), 0.0);
  EXPECT_DOUBLE_EQ(SpeedScaleFromSystem(20), 1.0);
  EXPECT_DOUBLE_EQ(SpeedScaleFromSystem(1), -0.9);
  EXPECT_EQ(SystemSpeedFromScale(0.0), 10);
  EXPECT_EQ(SystemSpeedFromScale(1.0), 20);
  EXPECT_EQ(SystemSpeedFromScale(-1.0), 1);  // 0 would be below the range
  EXPECT_EQ(SystemSpeedFromScale(0.26), 13);
  EXPECT_EQ(SystemSpeedFromScale(5.0), 20);
  for (int speed = 1; speed <= 20; ++speed)
    EXPECT_EQ(SystemSpeedFromScale(SpeedScaleFromSystem(speed)), speed);
}

TEST(PointerLevels, WheelPageScrollingAndLines) {
  const WheelLevel page = WheelLevelFromSystem(-1);
  EXPECT_TRUE(page.pageScroll);
  EXPECT_EQ(page.position, 0);
  EXPECT_EQ(LitTicks(page.position), 0);  // all ticks dark
  EXPECT_EQ(SystemWheelLines(page.position, page.pageScroll), -1);
  EXPECT_EQ(SystemWheelLines(0, false), 0);  // unticked at position 0: no lines
  EXPECT_EQ(WheelLevelFromSystem(3).position, 3);
  EXPECT_EQ(WheelLevelFromSystem(40).position, 11);
  EXPECT_EQ(SystemWheelLines(7, false), 7);
}

TEST(PointerLevels, DoubleClickTimeInSeventyMillisecondSteps) {
  EXPECT_EQ(DoubleClickPositionFromSystem(500), 6);
  EXPECT_EQ(SystemDoubleClickFromPosition(6), 550);
  EXPECT_EQ(SystemDoubleClickFromPosition(1), 900);
  EXPECT_EQ(SystemDoubleClickFromPosition(11), 200);
  // Outside the slider: its nearest end, never a tick beyond 1..11.
  EXPECT_EQ(DoubleClickPositionFromSystem(1200), 1);
  EXPECT_EQ(DoubleClickPositionFromSystem(100), 11);
  EXPECT_EQ(LitTicks(200), 11);
}

}  // namespace
}  // namespace corvaline
