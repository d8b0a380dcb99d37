// The rules of automatic profiles: which named profile the mouse gets when
// an application takes the focus. They live in the data folder's
// "auto-profiles.txt", one setting per line, fields separated by one tab:
//
//   switch <TAB> on|off
//   delay <TAB> MS            (0..60000; 500 when missing)
//   default <TAB> PROFILE     (missing: applications without a rule change nothing)
//   rule <TAB> APP <TAB> PROFILE
//
// Empty lines and lines starting with '#' are skipped. APP is an X11
// WM_CLASS (class or instance), a Wayland app_id or a Windows program's
// executable name without ".exe", compared without regard to (ASCII) case. The count of automatic Applies per day sits beside it in
// "auto-applies.txt": "YYYY-MM-DD <TAB> N" lines, the last 31 days kept.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/outcome.h"

namespace corvaline {

inline constexpr std::string_view kAutoRulesFile = "auto-profiles.txt";
inline constexpr std::string_view kAutoCountsFile = "auto-applies.txt";
inline constexpr int kDefaultAutoDelayMs = 500;
inline constexpr int kMaxAutoDelayMs = 60000;
// More rules than anyone has applications; past it a file is refused line
// by line with one message.
inline constexpr std::size_t kMaxAutoRules = 10000;

struct AutoRule {
  std::string app;
  std::string profile;
};

struct AutoRules {
  bool on = true;
  int delayMs = kDefaultAutoDelayMs;
  std::string defaultProfile;  // empty: none
  std::vector<AutoRule> rules;
};

// Done when the text can be an application id, else why not.
Outcome CheckAppId(std::string_view app);

// The profile due for the application: its rule, else the default (empty
// when neither applies).
std::string ProfileForApp(const AutoRules& rules, std::string_view app);

// Of the names one window goes by (X11: instance, then class), the first
// that has a rule, else the last one.
std::string ChooseAppId(const AutoRules& rules, const std::vector<std::string>& names);

// A Windows program's application id: the file name of its executable,
// without the folder and without ".exe" in any case ("C:\Games\Foo.EXE" is
// "Foo"). Empty for an empty path.
std::string AppIdFromExecutablePath(std::string_view path);

// Adds the rule or replaces the one for the same application.
void SetRule(AutoRules& rules, std::string_view app, std::string_view profile);
// False when there was no rule for the application.
bool RemoveRule(AutoRules& rules, std::string_view app);

// The rules that send the mouse this profile, as `auto list` names them
// ("rule: APP -> NAME", "default: NAME"); empty when none does.
std::vector<std::string> RulesNamingProfile(const AutoRules& rules, std::string_view profile);

std::string AutoRulesToText(const AutoRules& rules);

struct [[nodiscard]] AutoRulesResult {
  AutoRules rules;
  std::vector<std::string> problems;  // "line N: why", one per line skipped
  // "line N: why" for a rule that replaced an earlier one: the file means
  // the same once rewritten, so a change may go ahead.
  std::vector<std::string> warnings;
};
// Every good line counts; each bad one is skipped and named. A second rule
// for one application (case aside) replaces the first with a warning; rules
// past kMaxAutoRules are left out with one problem. One pass over the text.
AutoRulesResult AutoRulesFromText(std::string_view text);

// <folder>/auto-profiles.txt; a missing file gives the defaults.
AutoRulesResult ReadAutoRules(const std::filesystem::path& dataFolder);
// Atomically.
Outcome WriteAutoRules(const std::filesystem::path& dataFolder, const AutoRules& rules);

// The local date as YYYY-MM-DD.
std::string TodayText();

struct DayCount {
  std::string day;  // YYYY-MM-DD
  int count = 0;
};
// Oldest first; unreadable lines are left out.
std::vector<DayCount> ReadAutoApplyCounts(const std::filesystem::path& dataFolder);
// Adds one to `day`'s count and writes the file back atomically.
Outcome CountAutoApply(const std::filesystem::path& dataFolder, std::string_view day);

}  // namespace corvaline
