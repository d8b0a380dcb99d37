// The mouse plugged in after start and a flapping cable, on a desktop
// without a notification area: the window comes alive at the arrival, each
// plug or unplug is told once, and notices do not pile up.
#include <QMessageBox>
#include <QTest>
#include <fstream>
#if defined(__SANITIZE_ADDRESS__)
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

#include "core/settings/data_paths.h"
#include "gui/shell/main_window.h"
#include "gui/tray/notice_window.h"
#include "shell_fixture.h"

namespace corvaline::gui::testing {
namespace {

long ResidentKiB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * 4;
}

// What must not grow. Under AddressSanitizer freed memory waits in its
// quarantine and swells the resident size by itself, so the live heap is
// what a leak shows in there.
long KeptKiB() {
#if defined(__SANITIZE_ADDRESS__)
  return static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024);
#else
  return ResidentKiB();
#endif
}

class HotPlugTest : public ShellTest {
 protected:
  void Click(int x, int y) { QTest::mouseClick(&shell->Window(), Qt::LeftButton, {}, QPoint(x, y)); }
  void Cycle() {
    mouse->Unplug();
    ASSERT_TRUE(WaitFor([&] { return !shell->DeviceReady(); }));
    mouse->Plug();
    ASSERT_TRUE(WaitFor([&] { return shell->DeviceReady(); }));
  }
  // The 125 Hz stop of the report-rate slider, then Apply.
  void SetRateByClicks() {
    Click(550, 210);
    Click(700, 630);
  }
};

TEST_F(HotPlugTest, WithoutTrayTheArrivalBringsTheBasicPageAndClicksApply) {
  WriteDataFiles("EN");
  QImage button(18, 18, QImage::Format_RGB32);
  button.fill(Qt::yellow);
  for (const char* name : {"button-close-normal.png", "button-normal.png", "button-over.png"})
    ASSERT_TRUE(button.save(dir.path() + "/Skins/Test/" + name));
  mouse->Unplug();
  MakeShell(/*trayResident=*/false);
  shell->Start();
  ASSERT_TRUE(shell->Window().isVisible());
  EXPECT_EQ(shell->CurrentPage(), Page::None);
  // The window's own buttons are drawn and work before the mouse is there.
  EXPECT_EQ(shell->Window().Canvas()->pixelColor(855, 10), QColor(Qt::yellow));
  Click(830, 10);
  EXPECT_TRUE(shell->Window().isMinimized());
  shell->Window().Present();
  // Resting on OK's place leaves no OK button on the bare picture.
  emit shell->Window().pointerMoved(QPoint(600, 630));
  QTest::qWait(kHoverRestMs * 5);
  emit shell->Window().pointerMoved(QPoint(-1, -1));
  EXPECT_NE(shell->Window().Canvas()->pixelColor(565, 626), QColor(Qt::yellow));

  mouse->Plug();  // two collections, two arrival notifications
  ASSERT_TRUE(WaitFor([&] { return shell->CurrentPage() == Page::Basic; }));
  SetRateByClicks();
  EXPECT_EQ(ConfigByte(kRateOffset), 8);
  EXPECT_EQ(mouse->State().reportRateCode, 8);

  // One notice per arrival or removal; the window the loss put away returns.
  mouse->Unplug();
  ASSERT_TRUE(WaitFor([&] { return !shell->DeviceReady(); }));
  EXPECT_TRUE(shell->Window().isMinimized());
  mouse->Plug();
  ASSERT_TRUE(WaitFor([&] { return shell->DeviceReady(); }));
  EXPECT_FALSE(shell->Window().isMinimized());
  std::vector<QString> titles;
  for (const auto& b : tray.balloons) titles.push_back(b.title);
  EXPECT_EQ(titles, (std::vector<QString>{"Warning", "Info", "Warning", "Info"}));
}

TEST_F(HotPlugTest, FlappingCableLeavesOneNoticeWindowAndNoGrowth) {
  WriteDataFiles("EN");
  ownTray = std::make_unique<NotificationOnlyTray>(/*useDesktopService=*/false);
  const auto& notice = static_cast<NotificationOnlyTray&>(*ownTray).Notice();
  MakeShell(/*trayResident=*/false);
  shell->Start();
  for (int i = 0; i < 5; ++i) Cycle();  // caches and fonts settle first
  const auto windows = QApplication::topLevelWidgets().size();
  const long before = KeptKiB(), residentBefore = ResidentKiB();
  for (int i = 0; i < 100; ++i) Cycle();
  const long after = KeptKiB();
  std::printf("100 plug cycles: windows %lld -> %lld, kept %ld -> %ld KiB (%+ld), resident %+ld KiB\n",
              static_cast<long long>(windows),
              static_cast<long long>(QApplication::topLevelWidgets().size()), before, after,
              after - before, ResidentKiB() - residentBefore);
  EXPECT_EQ(QApplication::topLevelWidgets().size(), windows);
  EXPECT_LT(after - before, 2048);
  ASSERT_NE(notice.OnShow(), nullptr);
  EXPECT_EQ(notice.OnShow()->text(), "The system detect the gaming mouse.");

  SetRateByClicks();
  EXPECT_EQ(ConfigByte(kRateOffset), 8);
}

TEST(NoticeWindowTest, ANewNoticeReplacesTheOneOnShowAndItClosesItself) {
  App();
  NoticeWindow notice(/*minimumMs=*/0);
  notice.Show("Info", "first", 60000);
  QMessageBox* box = notice.OnShow();
  ASSERT_NE(box, nullptr);
  notice.Show("Warning", "second", 50);
  EXPECT_EQ(notice.OnShow(), box);
  EXPECT_EQ(box->text(), "second");
  EXPECT_EQ(box->windowTitle(), "Warning");
  EXPECT_TRUE(WaitFor([&] { return notice.OnShow() == nullptr; }, 3000));
}

}  // namespace
}  // namespace corvaline::gui::testing
