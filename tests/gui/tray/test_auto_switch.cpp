// Automatic profiles in the running program, with focus reports given by
// hand and the virtual mouse.
#include "core/profiles/auto_rules.h"
#include "core/profiles/profile_store.h"
#include "core/settings/data_paths.h"
#include "gui/tray/auto_switch.h"
#include "gui/shell/main_window.h"
#include "gui/tray/profiles_menu.h"
#include "shell_fixture.h"

namespace corvaline::gui::testing {
namespace {

// Two profiles told apart by their report rate: "slow" (code 8) and "fast"
// (code 1), saved from the started program's Basic page.
void SaveSlowAndFast(ProfilesMenu& menu) {
  Settings().settings.reportRateCode = 8;
  ASSERT_TRUE(menu.SaveCurrent("slow"));
  Settings().settings.reportRateCode = 1;
  ASSERT_TRUE(menu.SaveCurrent("fast"));
}

TEST_F(ShellTest, AutoSwitchFollowsTheFocusAndHoldsBackWhileEditsAreOpen) {
  WriteDataFiles("EN");
  MakeShell();
  shell->Start();
  ProfilesMenu menu(*shell, tray);
  const std::filesystem::path data = DataFiles().programFolder;
  ASSERT_NO_FATAL_FAILURE(SaveSlowAndFast(menu));
  ASSERT_TRUE(menu.Load("slow"));  // by hand: "slow" is on the mouse
  AutoRules rules;
  rules.delayMs = 100;
  SetRule(rules, "Game", "fast");
  rules.defaultProfile = "slow";
  ASSERT_EQ(WriteAutoRules(data, rules).Reason(), "");
  AutoSwitchController autoSwitch(*shell, tray, menu, [] { return false; });
  int switches = 0;
  QObject::connect(&autoSwitch, &AutoSwitchController::switched, [&] { ++switches; });

  // Through five windows quickly and back to the desktop: no write, and the
  // rules are not parsed again for each focus change.
  for (const char* app : {"game", "term", "game", "mail", "xterm"}) {
    autoSwitch.OnFocus({app, app});
    WaitFor([] { return false; }, 30);
  }
  WaitFor([] { return false; }, 300);
  EXPECT_EQ(switches, 0);
  EXPECT_EQ(autoSwitch.RuleReads(), 1);

  // Another program adds a rule: read once it changed.
  SetRule(rules, "editor", "slow");
  ASSERT_EQ(WriteAutoRules(data, rules).Reason(), "");
  EXPECT_TRUE(WaitFor(
      [&] {
        autoSwitch.OnFocus({"term", "term"});
        return autoSwitch.RuleReads() == 2;
      },
      2000))
      << "the rules read " << autoSwitch.RuleReads() << " times, not 2";

  autoSwitch.OnFocus({"steam", "GAME"});  // the class has the rule
  ASSERT_TRUE(WaitFor([&] { return switches == 1; }, 2000));
  EXPECT_EQ(mouse->State().reportRateCode, 1);
  EXPECT_EQ(Settings().savedSettings.reportRateCode, 1);
  EXPECT_EQ(tray.balloons.back().text, QString("Profile \"fast\" switched on for GAME"));
  EXPECT_EQ(ReadAutoApplyCounts(data).back().count, 1);

  // Unapplied edits hold the switch back; once gone, it goes.
  Settings().settings.dpiStageIndex[0] ^= 1;
  autoSwitch.OnFocus({"xterm", "XTerm"});
  WaitFor([] { return false; }, 400);
  EXPECT_EQ(switches, 1);
  RestoreSnapshot(Settings());
  ASSERT_TRUE(WaitFor([&] { return switches == 2; }, 2000));
  EXPECT_EQ(mouse->State().reportRateCode, 8);

  // Switched off from the tray: written to the rules, nothing switches.
  emit tray.autoSwitchToggled(false);
  EXPECT_FALSE(ReadAutoRules(data).rules.on);
  autoSwitch.OnFocus({"game", "Game"});
  WaitFor([] { return false; }, 300);
  EXPECT_EQ(switches, 2);
  // The last application gets the profile now in use.
  emit tray.autoAssignChosen();
  EXPECT_EQ(ProfileForApp(ReadAutoRules(data).rules, "xterm"), "slow");
  EXPECT_TRUE(sink.messages.empty());
}

TEST_F(ShellTest, LookingAtModeBHoldsNoSwitchBack) {
  WriteDataFiles("EN");
  MakeShell();
  shell->Start();
  ProfilesMenu menu(*shell, tray);
  Settings().settings.reportRateCode = 1;
  ASSERT_TRUE(menu.SaveCurrent("fast"));
  AutoRules rules;
  rules.delayMs = 0;
  SetRule(rules, "game", "fast");
  ASSERT_EQ(WriteAutoRules(DataFiles().programFolder, rules).Reason(), "");
  AutoSwitchController autoSwitch(*shell, tray, menu, [] { return false; });
  int switches = 0;
  QObject::connect(&autoSwitch, &AutoSwitchController::switched, [&] { ++switches; });

  // The user only looks at Mode B's buttons, then hides the window.
  emit tray.leftClicked();
  shell->Window().ClickAt(400, 525);
  ASSERT_EQ(Settings().settings.currentMode, 1);
  shell->HideWindow();
  Settings().settings.reportRateCode = 8;  // what the mouse has, not "fast"
  Settings().savedSettings.reportRateCode = 8;
  autoSwitch.OnFocus({"game", "game"});
  EXPECT_TRUE(WaitFor([&] { return switches == 1; }, 2000))
      << "waited for the switch to \"fast\"; switches: " << switches;
}

TEST_F(ShellTest, ARuleWhoseProfileIsGoneIsSaidOnceInABalloonAndNothingElse) {
  WriteDataFiles("EN");
  MakeShell();
  shell->Start();
  ProfilesMenu menu(*shell, tray);
  AutoRules rules;
  rules.delayMs = 0;
  SetRule(rules, "game", "deleted");
  ASSERT_EQ(WriteAutoRules(DataFiles().programFolder, rules).Reason(), "");
  AutoSwitchController autoSwitch(*shell, tray, menu, [] { return false; });
  const std::size_t before = tray.balloons.size();
  for (int visit = 0; visit < 2; ++visit) {
    autoSwitch.OnFocus({"term", "term"});
    autoSwitch.OnFocus({"game", "game"});
    ASSERT_TRUE(WaitFor([&] { return !autoSwitch.State().pending; }, 2000))
        << "waited for the switch to game to be tried";
  }
  ASSERT_EQ(tray.balloons.size(), before + 1);
  EXPECT_EQ(tray.balloons.back().title, "Warning");
  EXPECT_TRUE(tray.balloons.back().text.startsWith("Profile \"deleted\" for game cannot be loaded"))
      << tray.balloons.back().text.toStdString();
  EXPECT_TRUE(sink.messages.empty()) << sink.messages.front().first;
}

// The mouse away: a profile loaded by hand is not on it, and the switch that
// fell due meanwhile goes out when the mouse returns. A switch whose count
// cannot be written says so in one balloon per rule, never in a box.
TEST_F(ShellTest, AProfileLoadedWithoutAMouseIsNotOnItAndSwitchesNeverAskForTheFocus) {
  WriteDataFiles("EN");
  MakeShell();
  shell->Start();
  ProfilesMenu menu(*shell, tray);
  const std::filesystem::path data = DataFiles().programFolder;
  ASSERT_NO_FATAL_FAILURE(SaveSlowAndFast(menu));
  ASSERT_TRUE(menu.Load("slow"));
  AutoRules rules;
  rules.delayMs = 0;
  SetRule(rules, "game", "fast");
  rules.defaultProfile = "slow";
  ASSERT_TRUE(WriteAutoRules(data, rules));
  std::filesystem::create_directory(data / kAutoCountsFile);  // the count cannot be written
  AutoSwitchController autoSwitch(*shell, tray, menu, [] { return false; });
  int switches = 0;
  QObject::connect(&autoSwitch, &AutoSwitchController::switched, [&] { ++switches; });

  mouse->Unplug();
  ASSERT_TRUE(WaitFor([&] { return !shell->DeviceReady(); })) << "waited for the mouse to go";
  ASSERT_TRUE(menu.Load("fast"));
  EXPECT_EQ(shell->Status().profile, "slow");  // what the mouse holds still
  autoSwitch.OnFocus({"game", "game"});
  ASSERT_TRUE(WaitFor([&] { return !autoSwitch.State().pending; }, 2000)) << "waited for game to settle";
  const std::size_t beforeReturn = tray.balloons.size();
  mouse->Plug();
  ASSERT_TRUE(WaitFor([&] { return switches == 1; }, 3000)) << "waited for \"fast\" on the mouse's return";
  EXPECT_EQ(mouse->State().reportRateCode, 1);
  EXPECT_EQ(shell->Status().profile, "fast");

  for (const char* app : {"term", "game"}) {  // "slow" by default, then "fast" again
    autoSwitch.OnFocus({app, app});
    const int expected = switches + 1;
    ASSERT_TRUE(WaitFor([&] { return switches == expected; }, 3000)) << "waited for the switch for " << app;
  }
  std::vector<QString> warnings;
  for (std::size_t i = beforeReturn; i < tray.balloons.size(); ++i)
    if (tray.balloons[i].title == "Warning") warnings.push_back(tray.balloons[i].text);
  ASSERT_EQ(warnings.size(), 2u) << "one for each of the two rules";
  EXPECT_TRUE(warnings[0].contains("Not everything went well")) << warnings[0].toStdString();
  EXPECT_TRUE(sink.messages.empty()) << sink.messages.front().first;
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace corvaline::gui::testing
