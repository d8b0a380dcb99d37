// The decision of automatic profiles, free of clocks and windows: the caller
// reports focus changes with the time they happened and asks, at the time
// NextCheckMs names (and whenever a blocking condition may have ended),
// whether a profile is due now. Only an application that kept the focus for
// the rules' delay counts, so running through windows writes nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <tuple>

#include "core/profiles/auto_rules.h"

namespace corvaline {

// What holds a switch back; the profile due is kept until none holds (a
// profile due while the mouse is away goes out when it comes back).
struct SwitchConditions {
  bool mousePresent = true;
  bool unappliedEdits = false;
  bool recording = false;
  bool dialogOpen = false;  // a sub-dialog or message box of the program
  bool ownWindowFocused = false;
};

struct AutoSwitchState {
  bool pending = false;  // an application took the focus, its delay is running
  std::string pendingApp;
  std::int64_t pendingSinceMs = 0;
  std::string settledApp;  // the last application that kept the focus for the delay
  std::string dueProfile;  // its profile, not yet on the mouse
  std::set<std::tuple<std::string, std::string, int>> failedRules;  // application, profile, RuleTrouble
};

// What went wrong with a rule's switch: each is said once per rule and run.
enum class RuleTrouble { ProfileUnreadable, SwitchIncomplete };

struct SwitchDecision {
  std::string profile;
  std::string app;
};

// Focus went to `app` (own: one of the program's windows, which never counts).
void NoteFocus(AutoSwitchState& s, std::string_view app, bool own, std::int64_t nowMs);

// When the caller should ask Decide again; nullopt when no delay is running.
std::optional<std::int64_t> NextCheckMs(const AutoSwitchState& s, const AutoRules& rules);

// The profile to apply now, if any; `onMouse` is the profile the mouse holds
// (ProfileOnMouse), which is never sent again. The caller applies the
// profile and then calls NoteSwitched, or DropDue when it cannot be loaded.
std::optional<SwitchDecision> Decide(AutoSwitchState& s, const AutoRules& rules,
                                     const SwitchConditions& c, std::string_view onMouse,
                                     std::int64_t nowMs);

// The profile due went out (whole or not): it is not tried again.
void NoteSwitched(AutoSwitchState& s);
// Gives up the profile due (it could not be loaded), so it is not retried.
// True when this is the first ProfileUnreadable of the rule in this run.
bool DropDue(AutoSwitchState& s);
// True the first time in this run that the rule giving `app` `profile` had
// this trouble: only then is it said, so a user who switches back and forth
// hears of a deleted profile once, not on every switch.
bool FirstTrouble(AutoSwitchState& s, std::string_view app, std::string_view profile,
                  RuleTrouble trouble);

}  // namespace corvaline
