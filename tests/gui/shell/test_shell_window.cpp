// The window-level actions on a running shell: OK/Apply/Cancel, hiding,
// ending, the keyboard filter, and the desktop without a notification area.
#include <QCloseEvent>
#include <QTest>
#include <fstream>

#include "core/settings/data_paths.h"
#include "gui/shell/main_window.h"
#include "shell_fixture.h"

namespace corvaline::gui::testing {
namespace {

class RunningShell : public ShellTest {
 protected:
  void Start(bool trayResident = true) {
    WriteDataFiles("EN");
    MakeShell(trayResident);
    shell->Start();
    if (trayResident) emit tray.leftClicked();
    ASSERT_TRUE(shell->Window().isVisible());
  }
  ClickOutcome Click(int x, int y) { return shell->Window().ClickAt(x, y); }
};

TEST_F(RunningShell, CancelRestoresTheSnapshotAndTheNextOpeningRefreshes) {
  Start();
  Settings().settings.reportRateCode = 8;
  Click(800, 630);
  EXPECT_EQ(Settings().settings.reportRateCode, 2);
  EXPECT_TRUE(shell->RefreshOnShow());
  EXPECT_FALSE(shell->Window().isVisible());

  // Paint over the canvas: the refresh must compose the page again.
  shell->Window().Canvas()->fill(Qt::red);
  emit tray.leftClicked();
  EXPECT_FALSE(shell->RefreshOnShow());
  EXPECT_EQ(shell->CurrentPage(), Page::Basic);
  EXPECT_EQ(shell->Window().Canvas()->pixelColor(2, 200), QColor(0, 0, 200));
  EXPECT_TRUE(shell->Window().isVisible());
}

TEST_F(RunningShell, ApplySendsSavesAndSnapshotsOkAlsoHides) {
  Start();
  Settings().settings.reportRateCode = 4;
  EXPECT_EQ(Click(700, 630), ClickOutcome::Drag);  // Apply does not end the dispatch
  EXPECT_EQ(Settings().savedSettings.reportRateCode, 4);
  EXPECT_EQ(ConfigByte(0), 1);       // the program's own file from now on
  EXPECT_EQ(ConfigByte(1 + 1925), 4);  // reportRateCode
  EXPECT_EQ(mouse->State().reportRateCode, 4);
  EXPECT_TRUE(shell->Window().isVisible());
  EXPECT_TRUE(sink.messages.empty());

  Settings().settings.reportRateCode = 1;
  Click(600, 630);
  EXPECT_EQ(Settings().savedSettings.reportRateCode, 1);
  EXPECT_FALSE(shell->Window().isVisible());
}

TEST_F(RunningShell, ApplyThatLosesTheMouseSaysSoButStillSaves) {
  Start();
  Settings().settings.reportRateCode = 8;
  mouse->VanishAfterTransfers(3);
  Click(700, 630);
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_NE(sink.messages[0].first.find("failed"), std::string::npos);
  EXPECT_EQ(ConfigByte(1 + 1925), 8);
}

TEST_F(RunningShell, HidingNeverEndsTheProgram) {
  Start();
  for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
    emit tray.leftClicked();
    QTest::keyClick(&shell->Window(), static_cast<Qt::Key>(key));
    EXPECT_FALSE(shell->Window().isVisible()) << key;
  }
  emit tray.leftClicked();
  Click(830, 10);  // minimise
  EXPECT_FALSE(shell->Window().isVisible());
  emit tray.leftClicked();
  shell->Window().close();  // Alt+F4
  EXPECT_FALSE(shell->Window().isVisible());
  EXPECT_TRUE(exitCodes.empty());
  EXPECT_TRUE(tray.iconShown);
}

TEST_F(RunningShell, CloseButtonAndTrayExitEndWithCodeZero) {
  Start();
  Click(860, 10);
  EXPECT_EQ(exitCodes, std::vector<int>{0});
  EXPECT_FALSE(tray.iconShown);
  emit tray.exitChosen();
  EXPECT_EQ(exitCodes, (std::vector<int>{0, 0}));
}

TEST_F(RunningShell, TabsSwitchPagesAndTheLinkOpensTheSite) {
  Start();
  Click(70, 60);
  EXPECT_EQ(shell->CurrentPage(), Page::Advanced);
  EXPECT_EQ(shell->Window().Canvas()->pixelColor(2, 200), QColor(0, 200, 0));
  Click(20, 60);
  EXPECT_EQ(shell->CurrentPage(), Page::Basic);
  Click(300, 630);
  EXPECT_EQ(openedUrls, std::vector<QString>{"https://corvaline.example/"});
}

TEST_F(RunningShell, WithoutANotificationAreaTheWindowIsTheProgram) {
  Start(/*trayResident=*/false);
  EXPECT_EQ(shell->Window().windowType(), Qt::Window);  // a taskbar entry
  // Minimise, Escape and Cancel minimise instead of hiding for good.
  Click(830, 10);
  EXPECT_TRUE(shell->Window().isMinimized());
  shell->Window().Present();
  QTest::keyClick(&shell->Window(), Qt::Key_Escape);
  EXPECT_TRUE(shell->Window().isVisible());
  EXPECT_TRUE(shell->Window().isMinimized());
  // Cancel minimises; bringing the window back shows the restored settings.
  shell->Window().Present();
  Settings().settings.reportRateCode = 8;
  Click(800, 630);
  EXPECT_TRUE(shell->Window().isMinimized());
  EXPECT_TRUE(shell->RefreshOnShow());
  shell->Window().Canvas()->fill(Qt::red);
  shell->Window().Present();
  EXPECT_FALSE(shell->RefreshOnShow());
  EXPECT_EQ(shell->Window().Canvas()->pixelColor(2, 200), QColor(0, 0, 200));
  // Closing the window ends the program.
  shell->Window().close();
  EXPECT_EQ(exitCodes, std::vector<int>{0});
}

}  // namespace
}  // namespace corvaline::gui::testing
