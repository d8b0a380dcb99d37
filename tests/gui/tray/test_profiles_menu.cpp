// The tray's Profiles submenu on a running shell with the virtual mouse:
// save two profiles, switch between them, keep "(previous)".
#include "core/profiles/profile_store.h"
#include "core/settings/data_paths.h"
#include "gui/tray/profiles_menu.h"
#include "shell_fixture.h"

namespace corvaline::gui::testing {
namespace {

TEST_F(ShellTest, ProfilesFromTheTraySaveLoadApplyAndKeepThePrevious) {
  WriteDataFiles("CHT");
  MakeShell();
  shell->Start();
  ProfilesMenu menu(*shell, tray);
  QString answer;
  menu.SetNamePrompt([&answer](const QString&) { return answer; });
  const std::filesystem::path folder = ProfilesFolder(DataFiles().programFolder);

  Settings().settings.reportRateCode = 8;
  answer = "slow";
  emit tray.saveProfileChosen();
  ASSERT_FALSE(tray.balloons.empty());
  EXPECT_EQ(tray.balloons.back().text, QString::fromUtf8("已將目前設定儲存為設定檔「slow」"));
  EXPECT_GE(tray.balloons.back().timeoutMs, kBalloonMinimumMs);
  EXPECT_EQ(shell->Status().profile, "");  // with unapplied edits the mouse holds something else
  Settings().settings.reportRateCode = 1;
  shell->Items().captions[0][3] = "my caption";
  answer = "fast";
  emit tray.saveProfileChosen();
  answer = "";  // cancelled: nothing saved
  emit tray.saveProfileChosen();
  EXPECT_EQ(ListProfiles(folder), (std::vector<std::string>{"fast", "slow"}));

  emit tray.profileChosen("slow");
  EXPECT_EQ(Settings().settings.reportRateCode, 8);
  EXPECT_EQ(Settings().savedSettings.reportRateCode, 8);
  EXPECT_EQ(mouse->State().reportRateCode, 8);  // applied as OK does
  ASSERT_FALSE(tray.balloons.empty());
  EXPECT_EQ(tray.balloons.back().text, QString::fromUtf8("已載入設定檔「slow」"));
  EXPECT_EQ(ListProfiles(folder), (std::vector<std::string>{"(previous)", "fast", "slow"}));

  EXPECT_EQ(shell->Status().profile, "slow");
  emit tray.profileChosen("fast");
  EXPECT_EQ(mouse->State().reportRateCode, 1);
  EXPECT_EQ(shell->Status().profile, "fast");
  Settings().settings.reportRateCode = 2;  // changed by hand and applied: no named profile
  ASSERT_TRUE(shell->ApplySettingsNow());
  EXPECT_EQ(shell->Status().profile, "");
  EXPECT_EQ(shell->Items().captions[0][3], "my caption");
  // The configuration that "fast" replaced is there to come back to.
  ASSERT_TRUE(menu.Load("(previous)"));
  EXPECT_EQ(Settings().settings.reportRateCode, 8);
  EXPECT_TRUE(sink.messages.empty());

  EXPECT_FALSE(menu.Load("missing"));
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_EQ(Settings().settings.reportRateCode, 8);

  // A table the menus would not make (no left button) loads as it is.
  for (auto& category : Settings().settings.buttons[0].category) category = 1;
  answer = "no left";
  emit tray.saveProfileChosen();
  ASSERT_TRUE(menu.Load("fast"));
  ASSERT_TRUE(menu.Load("no left"));
  EXPECT_EQ(Settings().settings.buttons[0].category[9], 1);
  EXPECT_TRUE(tray.balloons.back().text.contains("Left Click"));
}

// corvalinectl deletes the profile the mouse holds: the program names it no more.
TEST_F(ShellTest, AProfileDeletedWhileOnTheMouseIsNamedNoMore) {
  WriteDataFiles("EN");
  MakeShell();
  shell->Start();
  ProfilesMenu menu(*shell, tray);
  menu.SetNamePrompt([](const QString&) { return QStringLiteral("gone"); });
  emit tray.saveProfileChosen();  // saved from what the mouse holds: on it by name
  ASSERT_EQ(shell->Status().profile, "gone");
  ASSERT_TRUE(DeleteProfile(ProfilesFolder(DataFiles().programFolder), "gone"));
  EXPECT_TRUE(WaitFor([&] { return shell->Status().profile.empty(); }))
      << "waited for the deleted profile to leave the status; it shows " << shell->StatusText().toStdString();
  EXPECT_FALSE(shell->StatusText().contains("gone")) << shell->StatusText().toStdString();
}

}  // namespace
}  // namespace corvaline::gui::testing
