// The pointer settings' half of the Advanced page: clicks by rectangle, and
// elements the desktop lacks drawn dimmed and deaf.
#include <gtest/gtest.h>

#include <QImage>

#include "../../core/system/fake_pointer_backend.h"
#include "core/i18n/ui_language.h"
#include "gui/pages/system_mouse_view.h"
#include "ui_test_support.h"

namespace corvaline::gui {
namespace {

using test::FakePointerBackend;
using Setting = PointerSetting;

class SystemMouseTest : public ::testing::Test {
 protected:
  void SetUp() override { SetCurrentLanguage(UiLanguage::EN); }
  SettingsStore store;
  SettingsBlock& block = store.settings;
  EditSession session{store};
  FakePointerBackend desktop;
  test::RecordingSink sink;
};

bool Click(SystemMouseView& view, int x, int y, QImage& canvas) {
  return ClickControls(view.Controls(), x, y, &canvas).value_or(false);
}

TEST_F(SystemMouseTest, TicksAndBoxesByRectangleDimmedOnesIgnoreClicks) {
  desktop.unsupported = {Setting::DoubleClick};
  SystemMouse mouse(session, desktop);
  SystemMouseView view(mouse);
  test::ScratchSkin skin;
  QImage canvas(880, 660, QImage::Format_RGB32);
  canvas.fill(Qt::black);
  QFont font;
  view.Compose(canvas, font);
  // Tick c of row r spans 28 + 24c .. 52 + 24c; the right edge is outside.
  EXPECT_TRUE(Click(view, 52, 200, canvas));
  EXPECT_EQ(block.pointerSpeedLevel, 1);
  EXPECT_TRUE(Click(view, 315, 360, canvas));
  EXPECT_EQ(block.wheelScrollLines, 11);
  EXPECT_FALSE(Click(view, 316, 205, canvas));
  EXPECT_FALSE(Click(view, 100, 211, canvas));
  EXPECT_TRUE(Click(view, 100, 505, canvas));  // taken, but dimmed: no change
  EXPECT_EQ(block.doubleClickLevel, 0);
  EXPECT_TRUE(Click(view, 51, 255, canvas));
  EXPECT_EQ(block.pointerPrecision, 1);
  EXPECT_TRUE(Click(view, 60, 410, canvas));
  EXPECT_EQ(block.wheelPageScroll, 1);
  EXPECT_TRUE(Click(view, 40, 590, canvas));  // restore
  EXPECT_EQ(block.pointerSpeedLevel, 6);
  EXPECT_EQ(block.pointerPrecision, 0);
}

}  // namespace
}  // namespace corvaline::gui
