// The pointer settings against a desktop: the first read, OK/Apply, the
// restore button, settings the desktop lacks and calls that fail.
#include <gtest/gtest.h>

#include "core/system/system_mouse.h"
#include "fake_pointer_backend.h"

namespace corvaline {
namespace {

using test::FakePointerBackend;
using Setting = PointerSetting;
using Writes = std::vector<std::string>;

class SystemMouseTest : public ::testing::Test {
 protected:
  SettingsStore store;
  SettingsBlock& block = store.settings;
  EditSession session{store};
  FakePointerBackend desktop;
};

TEST_F(SystemMouseTest, FirstReadShowsTheDesktopAndApplyWritesItBackInOrder) {
  desktop.speed = 3;
  desktop.wheelLines = -1;  // one screen per notch
  desktop.doubleClickMs = 500;
  desktop.acceleration = true;
  SystemMouse mouse(session, desktop);
  // Before the page showed the desktop's values, OK and Apply leave it alone.
  block.pointerSpeedLevel = 11;
  EXPECT_TRUE(mouse.Apply().empty());
  EXPECT_TRUE(desktop.writes.empty());
  EXPECT_TRUE(mouse.ReadOnce().empty());
  EXPECT_EQ(block.pointerSpeedLevel, 2);
  EXPECT_EQ(block.wheelPageScroll, 1);
  EXPECT_EQ(block.wheelScrollLines, 0);
  EXPECT_EQ(block.doubleClickLevel, 6);
  EXPECT_EQ(block.pointerPrecision, 1);

  // Later showings keep what the user set.
  desktop.speed = 20;
  EXPECT_TRUE(mouse.ReadOnce().empty());
  EXPECT_EQ(block.pointerSpeedLevel, 2);

  EXPECT_TRUE(mouse.Apply().empty());
  EXPECT_EQ(desktop.writes, (Writes{"acceleration=1", "speed=2", "wheel=-1", "double-click=550"}));
  
  // Unticking "Scroll One Screen" at wheel position 0 writes no lines.
  EXPECT_TRUE(mouse.ToggleOption(PointerField::PageScroll));
  desktop.writes.clear();
  EXPECT_TRUE(mouse.Apply().empty());
  EXPECT_EQ(desktop.writes[2], "wheel=0");
}

TEST_F(SystemMouseTest, TheDesktopsValuesStayTheReferenceThroughCancelAndWideWheels) {
  desktop.wheelLines = 20;
  block.pointerSpeedLevel = 2;  // config.bin's old value
  session.MarkSaved();
  SystemMouse mouse(session, desktop);
  EXPECT_TRUE(mouse.ReadOnce().empty());
  EXPECT_EQ(block.wheelScrollLines, 11);
  mouse.SetSliderPosition(PointerField::Speed, 9);
  session.Cancel();
  EXPECT_TRUE(mouse.Apply().empty());
  EXPECT_EQ(desktop.writes, (Writes{"acceleration=0", "speed=10", "wheel=20", "double-click=550"}));
  mouse.SetSliderPosition(PointerField::WheelLines, 11);  // now the user means eleven
  desktop.writes.clear();
  EXPECT_TRUE(mouse.Apply().empty());
  EXPECT_EQ(desktop.writes[2], "wheel=11");
}

TEST_F(SystemMouseTest, RestoreWritesTheDefaultsAtOnceAndShowsTheirPositions) {
  block.pointerPrecision = 1;
  block.wheelPageScroll = 1;
  SystemMouse mouse(session, desktop);
  EXPECT_TRUE(mouse.Restore().empty());
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
  SystemMouse mouse(session, desktop);
  EXPECT_TRUE(mouse.ReadOnce().empty());
  EXPECT_EQ(block.wheelScrollLines, 7);  // as config.bin had it
  EXPECT_FALSE(mouse.SetSliderPosition(PointerField::WheelLines, 5));
  EXPECT_FALSE(mouse.SetSliderPosition(PointerField::DoubleClick, 5));
  EXPECT_FALSE(mouse.ToggleOption(PointerField::PageScroll));
  EXPECT_TRUE(mouse.SetSliderPosition(PointerField::Speed, 11));
  EXPECT_TRUE(mouse.Apply().empty());
  EXPECT_TRUE(mouse.Restore().empty());
  EXPECT_EQ(desktop.writes, (Writes{"acceleration=0", "speed=20", "acceleration=0", "speed=10"}));
  EXPECT_EQ(block.doubleClickLevel, 2);
  }

TEST_F(SystemMouseTest, FailedCallsEachSayWhichAndTheOthersStillRun) {
  desktop.failing = {Setting::Speed, Setting::WheelLines, Setting::DoubleClick, Setting::Acceleration};
  block.pointerSpeedLevel = 9;
  SystemMouse mouse(session, desktop);
  const PointerProblems read = mouse.ReadOnce();
  EXPECT_EQ(block.pointerSpeedLevel, 9);  // nothing made up
  EXPECT_EQ(read, (Writes{"GETMOUSE failed.", "GETMOUSESPEED failed.", "GETWHEELSCROLLLINES failed.",
                          "GetDoubleClickTime failed."}));
  EXPECT_EQ(mouse.Apply(), (Writes{"SETMOUSE failed.", "SETMOUSESPEED failed.", "SETWHEELSCROLLLINES failed.",
                             "SPI_SETDOUBLECLICKTIME failed."}));
  EXPECT_EQ(desktop.writes.size(), 4u);
}

}  // namespace
}  // namespace corvaline
