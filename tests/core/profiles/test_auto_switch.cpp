#include <gtest/gtest.h>

#include <filesystem>

#include "core/profiles/auto_rules.h"
#include "core/profiles/auto_switch.h"
#include "core/profiles/profile_on_mouse.h"
#include "core/settings/atomic_file.h"

namespace corvaline {
namespace {

namespace fs = std::filesystem;

fs::path FreshFolder(const char* name) {
  const fs::path dir = fs::temp_directory_path() /
                       ("corvaline-auto-" +
                        std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + name);
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

TEST(AutoRules, TextRoundTripsAndBadLinesAreNamedNotFatal) {
  AutoRules r;
  r.on = false;
  r.delayMs = 250;
  r.defaultProfile = "office";
  SetRule(r, "Firefox", "browse");
  SetRule(r, "steam_app_570", "dota 2");
  SetRule(r, "FIREFOX", "web");  // the same application, case-blind: replaced
  ASSERT_EQ(r.rules.size(), 2u);
  const AutoRulesResult back = AutoRulesFromText(AutoRulesToText(r));
  EXPECT_TRUE(back.problems.empty());
  EXPECT_FALSE(back.rules.on);
  EXPECT_EQ(back.rules.delayMs, 250);
  EXPECT_EQ(ProfileForApp(back.rules, "firefox"), "web");
  EXPECT_EQ(ProfileForApp(back.rules, "Steam_App_570"), "dota 2");
  EXPECT_EQ(ProfileForApp(back.rules, "xterm"), "office");
  EXPECT_EQ(ChooseAppId(back.rules, {"navigator", "FireFox"}),
            "FireFox");  // the class has the rule
  EXPECT_EQ(ChooseAppId(back.rules, {"xterm", "XTerm"}), "XTerm");
  // A Windows program goes by its executable's file name.
  EXPECT_EQ(ProfileForApp(back.rules, AppIdFromExecutablePath("C:\\Mozilla\\FIREFOX.EXE")), "web");
  EXPECT_EQ(AppIdFromExecutablePath("D:/games/dota2.exe.bak"), "dota2.exe.bak");
  EXPECT_EQ(AppIdFromExecutablePath(".Exe"), ".Exe");
  EXPECT_TRUE(RemoveRule(r, "fireFOX"));
  EXPECT_FALSE(RemoveRule(r, "firefox"));

  const AutoRulesResult bad = AutoRulesFromText(
      "rule\tgame\tfast\r\ndelay\t-5\nrule\tonly-app\nswitch\tmaybe\ndefault\t.hidden\n"
      "rule\tok\tgood\n");
  EXPECT_EQ(bad.problems.size(), 4u);
  EXPECT_EQ(bad.problems[0].rfind("line 2:", 0), 0u) << bad.problems[0];
  EXPECT_EQ(bad.rules.delayMs, kDefaultAutoDelayMs);
  EXPECT_EQ(ProfileForApp(bad.rules, "GAME"), "fast");  // CRLF files read too
  EXPECT_EQ(ProfileForApp(bad.rules, "ok"), "good");
  EXPECT_EQ(ProfileForApp(bad.rules, "other"), "");  // no default: nothing changes
}

TEST(AutoRules, ASecondRuleForOneAppWarnsAndCountsAndTooManyAreSaidOnce) {
  const AutoRulesResult twice =
      AutoRulesFromText("rule\tGame\tslow\nrule\tmail\toffice\nrule\tgame\tfast\n");
  ASSERT_EQ(twice.warnings.size(), 1u);
  EXPECT_EQ(twice.warnings[0], "line 3: a second rule for game (line 1); this one counts");
  EXPECT_TRUE(twice.problems.empty());
  EXPECT_EQ(ProfileForApp(twice.rules, "GAME"), "fast");
  EXPECT_EQ(AutoRulesFromText(AutoRulesToText(twice.rules)).rules.rules.size(), 2u);

  std::string many;
  for (std::size_t i = 0; i < kMaxAutoRules + 3; ++i) many += "rule\tapp" + std::to_string(i) + "\tp\n";
  const AutoRulesResult capped = AutoRulesFromText(many);
  EXPECT_EQ(capped.rules.rules.size(), kMaxAutoRules);
  ASSERT_EQ(capped.problems.size(), 1u);
  EXPECT_EQ(capped.problems[0].rfind("line " + std::to_string(kMaxAutoRules + 1) + ": more than", 0),
            0u)
      << capped.problems[0];
  EXPECT_EQ(ProfileForApp(capped.rules, "app0"), "p");  // an app already in still updates
}

TEST(AutoRules, FilesAndTheDailyCount) {
  const fs::path dir = FreshFolder("files");
  EXPECT_TRUE(ReadAutoRules(dir).rules.on);  // missing file: the defaults
  AutoRules r;
  SetRule(r, "xeyes", "a");
  ASSERT_EQ(WriteAutoRules(dir, r).Reason(), "");
  EXPECT_EQ(ProfileForApp(ReadAutoRules(dir).rules, "XEyes"), "a");
  for (const auto& entry : fs::directory_iterator(dir))  // no temporary file left behind
    EXPECT_FALSE(IsTemporaryFor(entry.path(), dir / kAutoRulesFile)) << entry.path();

  EXPECT_TRUE(ReadAutoApplyCounts(dir).empty());
  ASSERT_EQ(CountAutoApply(dir, "2026-12-08").Reason(), "");
  ASSERT_EQ(CountAutoApply(dir, "2026-12-08").Reason(), "");
  for (int d = 1; d <= 31; ++d)
    ASSERT_EQ(CountAutoApply(dir, "2026-11-" + std::string(d < 10 ? "0" : "") + std::to_string(d)).Reason(),
              "");
  const auto days = ReadAutoApplyCounts(dir);
  ASSERT_EQ(days.size(), 31u);  // the oldest day dropped
  EXPECT_EQ(days.front().day, "2026-11-02");
  EXPECT_EQ(days.back().day, "2026-12-08");
  EXPECT_EQ(days.back().count, 2);
  fs::remove_all(dir);
}

// A profile's settings: told apart by the first letter alone.
SettingsBlock BlockOf(const std::string& profile) {
  SettingsBlock b{};
  b.reportRateCode = static_cast<std::uint8_t>(profile.at(0));
  return b;
}

// A fake clock: every step names the time in ms.
struct Switcher {
  AutoRules rules;
  AutoSwitchState s;
  SwitchConditions c;
  ProfileOnMouse mouse;
  int writes = 0;
  std::string last;
  Switcher() {
    SetRule(rules, "game", "fast");
    SetRule(rules, "editor", "calm");
    mouse.NoteSent(BlockOf("calm"), true, "calm");
  }
  void Focus(const char* app, std::int64_t t, bool own = false) { NoteFocus(s, app, own, t); }
  void Tick(std::int64_t t) {
    if (auto d = Decide(s, rules, c, mouse.Name(), t)) {
      ++writes;
      last = d->profile + "@" + d->app;
      mouse.NoteSent(BlockOf(d->profile), true, d->profile);
      NoteSwitched(s);
    }
  }
};

TEST(AutoSwitch, OnlyAnApplicationThatKeepsTheFocusForTheDelayCounts) {
  Switcher w;
  // Alt+Tab through five windows, 120 ms each, back to the editor.
  std::int64_t t = 0;
  for (const char* app : {"game", "term", "game", "mail", "editor"}) {
    w.Focus(app, t);
    w.Tick(t += 120);
  }
  w.Tick(t += 1000);
  EXPECT_EQ(w.writes, 0);  // the editor's profile is on the mouse already
  w.Focus("game", t);
  EXPECT_EQ(NextCheckMs(w.s, w.rules), t + 500);
  w.Tick(t + 499);
  EXPECT_EQ(w.writes, 0);
  w.Tick(t + 500);
  EXPECT_EQ(w.last, "fast@game");
  w.Focus("unknown", t += 600);  // no rule, no default: the mouse keeps "fast"
  w.Focus("game", t += 600);
  w.Tick(t += 600);
  EXPECT_EQ(w.writes, 1);
  w.rules.on = false;
  w.Focus("editor", t);
  w.Tick(t += 600);
  EXPECT_EQ(w.writes, 1);
}

TEST(AutoSwitch, BlockersHoldTheDueProfileUntilTheyEnd) {
  Switcher w;
  std::int64_t t = 0;
  for (bool SwitchConditions::*blocker :
       {&SwitchConditions::unappliedEdits, &SwitchConditions::recording,
        &SwitchConditions::dialogOpen, &SwitchConditions::mousePresent}) {
    const char* app = w.mouse.Name() == "calm" ? "game" : "editor";
    w.c = {};
    w.c.*blocker = blocker != &SwitchConditions::mousePresent;
    w.Focus(app, t);
    const int before = w.writes;
    w.Tick(t += 600);
    w.Tick(t += 600);
    EXPECT_EQ(w.writes, before);
    w.c = {};  // ended (or the mouse arrived): the due profile goes now
    w.Tick(t += 10);
    EXPECT_EQ(w.writes, before + 1) << w.last;
  }
  // The program's own window: never counts and never switches.
  w.Focus("corvaline", t, true);
  EXPECT_FALSE(NextCheckMs(w.s, w.rules));
  w.Tick(t += 600);
  EXPECT_EQ(w.writes, 4);
  EXPECT_EQ(w.s.settledApp, "editor");  // still the last application
  // A profile that cannot be loaded is not retried, and said once per rule.
  w.Focus("game", t);
  w.c.ownWindowFocused = true;
  w.Tick(t += 600);
  EXPECT_TRUE(DropDue(w.s));
  w.c = {};
  w.Tick(t += 600);
  EXPECT_EQ(w.writes, 4);
  w.Focus("editor", t);
  w.Tick(t += 600);
  w.Focus("game", t);
  w.c.ownWindowFocused = true;
  w.Tick(t += 600);
  EXPECT_FALSE(DropDue(w.s));  // the same rule again: silent
  SetRule(w.rules, "game", "other");
  w.Focus("editor", t);
  w.Tick(t += 600);
  w.Focus("game", t);
  w.Tick(t += 600);
  EXPECT_TRUE(DropDue(w.s));  // a changed rule is a new one
  EXPECT_TRUE(FirstTrouble(w.s, "game", "other", RuleTrouble::SwitchIncomplete));  // another trouble
}

TEST(ProfileOnMouse, NamedOnlyWhileItsSettingsAreTheLastSent) {
  Switcher w;  // "calm" sent
  EXPECT_EQ(w.mouse.Name(), "calm");
  w.mouse.NoteSent(BlockOf("calm"), true);  // OK without a change: still "calm"
  EXPECT_EQ(w.mouse.Name(), "calm");
  SettingsBlock edited = BlockOf("calm");
  edited.ledEffect = 2;
  w.mouse.NoteSent(edited, true);  // other settings sent by hand
  EXPECT_EQ(w.mouse.Name(), "");
  w.mouse.NameIfHeld(BlockOf("slow"), "slow");  // saved from other settings: not on the mouse
  EXPECT_EQ(w.mouse.Name(), "");
  w.mouse.NameIfHeld(edited, "mine");  // saved from what was sent: on it
  EXPECT_EQ(w.mouse.Name(), "mine");
  w.mouse.NoteSent(BlockOf("fast"), false, "fast");  // cut short: nothing known
  EXPECT_EQ(w.mouse.Name(), "");
  EXPECT_FALSE(w.mouse.Holds(BlockOf("fast")));

  // The mouse away: "fast" falls due for the game and is loaded by hand,
  // which sends nothing, so the mouse holds "calm" still; on its return the
  // switch goes out.
  w.mouse.NoteSent(BlockOf("calm"), true, "calm");
  w.c.mousePresent = false;
  w.Focus("game", 0);
  w.Tick(600);
  EXPECT_EQ(w.writes, 0);
  EXPECT_EQ(w.mouse.Name(), "calm");
  EXPECT_FALSE(w.mouse.Holds(BlockOf("fast")));
  w.c.mousePresent = true;
  w.Tick(850);
  EXPECT_EQ(w.last, "fast@game");
  EXPECT_EQ(w.mouse.Name(), "fast");
  w.mouse.KeepNameOnlyAmong({"calm", "fast"});
  EXPECT_EQ(w.mouse.Name(), "fast");
  w.mouse.KeepNameOnlyAmong({"calm"});  // "fast" deleted while on the mouse
  EXPECT_EQ(w.mouse.Name(), "");
  EXPECT_TRUE(w.mouse.Holds(BlockOf("fast")));  // its settings are still there
  w.mouse.NoteSent(BlockOf("fast"), true, "fast");
  w.mouse.Forget();  // another program changed the settings
  EXPECT_EQ(w.mouse.Name(), "");
}

}  // namespace
}  // namespace corvaline
