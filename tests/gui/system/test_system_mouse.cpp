// The pointer settings against a desktop: the first read, OK/Apply, the
// restore button, settings the desktop lacks and calls that fail.
#include <gtest/gtest.h>

#include <QImage>

#include "core/i18n/ui_language.h"
#include "fake_pointer_backend.h"
#include "gui/system/system_mouse.h"
#include "gui/system/system_mouse_view.h"
#include "ui_test_support.h"

namespace corvaline::gui {
namespace {

using test::FakePointerBackend;
using Setting = platform::PointerSetting;
using Writes = std::vector<std::string>;

class SystemMouseTest : public ::testing::Test {
 protected:
  void SetUp() override { SetCurrentLanguage(UiLanguage::EN); }
  std::vector<std::string> Texts() const {
    std::vector<std::string> t;
    for (const auto& m : sink.messages) {
      EXPECT_EQ(m.caption, "Warning");
      t.push_back(m.text);
    }
    return t;
  }
  SettingsBlock block{};
  FakePointerBackend desktop;
  test::RecordingSink sink;
};

TEST_F(SystemMouseTest, FirstReadShowsTheDesktopAndApplyWritesItBackInOrder) {
  desktop.speed = 3;
  desktop.wheelLines = -1;  // one screen per notch
  desktop.doubleClickMs = 500;
  desktop.acceleration = true;
  SystemMouse mouse(block, desktop);
  // Before the page showed the desktop's values, OK and Apply leave it alone.
  block.pointerSpeedLevel = 11;
  mouse.Apply();
  EXPECT_TRUE(desktop.writes.empty());
  mouse.ReadOnce();
  EXPECT_EQ(block.pointerSpeedLevel, 2);
  EXPECT_EQ(block.wheelPageScroll, 1);
  EXPECT_EQ(block.wheelScrollLines, 0);
  EXPECT_EQ(block.doubleClickLevel, 6);
  EXPECT_EQ(block.pointerPrecision, 1);

  // Later showings keep what the user set.
  desktop.speed = 20;
  mouse.ReadOnce();
  EXPECT_EQ(block.pointerSpeedLevel, 2);

  mouse.Apply();
  EXPECT_EQ(desktop.writes, (Writes{"acceleration=1", "speed=2", "wheel=-1", "double-click=550"}));
  EXPECT_TRUE(sink.messages.empty());

  // Unticking "Scroll One Screen" at wheel position 0 writes no lines.
  EXPECT_TRUE(mouse.ToggleOption(2));
  desktop.writes.clear();
  mouse.Apply();
  EXPECT_EQ(desktop.writes[2], "wheel=0");
}

TEST_F(SystemMouseTest, TheDesktopsValuesStayTheReferenceThroughCancelAndWideWheels) {
  desktop.wheelLines = 20;
  block.pointerSpeedLevel = 2;  // config.bin's old value
  SettingsBlock snapshot = block;
  SystemMouse mouse(block, desktop, &snapshot);
  mouse.ReadOnce();
  EXPECT_EQ(block.wheelScrollLines, 11);
  mouse.SetSliderPosition(1, 9);
  block = snapshot;  // Cancel
  mouse.Apply();
  EXPECT_EQ(desktop.writes, (Writes{"acceleration=0", "speed=10", "wheel=20", "double-click=550"}));
  mouse.SetSliderPosition(2, 11);  // now the user means eleven
  desktop.writes.clear();
  mouse.Apply();
  EXPECT_EQ(desktop.writes[2], "wheel=11");
}

TEST_F(SystemMouseTest, RestoreWritesTheDefaultsAtOnceAndShowsTheirPositions) {
  block.pointerPrecision = 1;
  block.wheelPageScroll = 1;
  SystemMouse mouse(block, desktop);
  mouse.Restore();
  EXPECT_EQ(desktop.writes, (Writes{"acceleration=0", "speed=10", "wheel=3", "double-click=500"}));
  EXPECT_EQ(block.pointerPrecision, 0);
  EXPECT_EQ(block.wheelPageScroll, 0);
  EXPECT_EQ(block.pointerSpeedLevel, 6);
  EXPECT_EQ(block.wheelScrollLines, 3);
  EXPECT_EQ(block.doubleClickLevel, 6);
}

TEST_F(SystemMouseTest, SettingsTheDesktopLacksAreLeftAloneWithoutAWord) {
  desktop.unsupported = {Setting::WheelLines, Setting::DoubleClick};
  block.wheelScrollLines = 7;
  block.doubleClickLevel = 2;
  SystemMouse mouse(block, desktop);
  mouse.ReadOnce();
  EXPECT_EQ(block.wheelScrollLines, 7);  // as config.bin had it
  EXPECT_FALSE(mouse.SetSliderPosition(2, 5));
  EXPECT_FALSE(mouse.SetSliderPosition(3, 5));
  EXPECT_FALSE(mouse.ToggleOption(2));
  EXPECT_TRUE(mouse.SetSliderPosition(1, 11));
  mouse.Apply();
  mouse.Restore();
  EXPECT_EQ(desktop.writes, (Writes{"acceleration=0", "speed=20", "acceleration=0", "speed=10"}));
  EXPECT_EQ(block.doubleClickLevel, 2);
  EXPECT_TRUE(sink.messages.empty());
}

TEST_F(SystemMouseTest, FailedCallsEachSayWhichAndTheOthersStillRun) {
  desktop.failing = {Setting::Speed, Setting::WheelLines, Setting::DoubleClick, Setting::Acceleration};
  block.pointerSpeedLevel = 9;
  SystemMouse mouse(block, desktop);
  mouse.ReadOnce();
  EXPECT_EQ(block.pointerSpeedLevel, 9);  // nothing made up
  EXPECT_EQ(Texts(), (Writes{"GETMOUSE failed.", "GETMOUSESPEED failed.", "GETWHEELSCROLLLINES failed.",
                             "GetDoubleClickTime failed."}));
  sink.messages.clear();
  mouse.Apply();
  EXPECT_EQ(Texts(), (Writes{"SETMOUSE failed.", "SETMOUSESPEED failed.", "SETWHEELSCROLLLINES failed.",
                             "SPI_SETDOUBLECLICKTIME failed."}));
  EXPECT_EQ(desktop.writes.size(), 4u);
}

TEST_F(SystemMouseTest, TicksAndBoxesByRectangleDimmedOnesIgnoreClicks) {
  desktop.unsupported = {Setting::DoubleClick};
  SystemMouse mouse(block, desktop);
  SystemMouseView view(mouse);
  test::ScratchSkin skin;
  QImage canvas(880, 660, QImage::Format_RGB32);
  canvas.fill(Qt::black);
  QFont font;
  view.Compose(canvas, font);
  // Tick c of row r spans 28 + 24c .. 52 + 24c; the right edge is outside.
  EXPECT_TRUE(view.ClickSliders(52, 200, &canvas));
  EXPECT_EQ(block.pointerSpeedLevel, 1);
  EXPECT_TRUE(view.ClickSliders(315, 360, &canvas));
  EXPECT_EQ(block.wheelScrollLines, 11);
  EXPECT_FALSE(view.ClickSliders(316, 205, &canvas));
  EXPECT_FALSE(view.ClickSliders(100, 211, &canvas));
  EXPECT_TRUE(view.ClickSliders(100, 505, &canvas));  // taken, but dimmed: no change
  EXPECT_EQ(block.doubleClickLevel, 0);
  EXPECT_TRUE(view.ClickOptions(51, 255, &canvas));
  EXPECT_EQ(block.pointerPrecision, 1);
  EXPECT_TRUE(view.ClickOptions(60, 410, &canvas));
  EXPECT_EQ(block.wheelPageScroll, 1);
  EXPECT_TRUE(view.ClickOptions(40, 590, &canvas));  // restore
  EXPECT_EQ(block.pointerSpeedLevel, 6);
  EXPECT_EQ(block.pointerPrecision, 0);
}

}  // namespace
}  // namespace corvaline::gui
