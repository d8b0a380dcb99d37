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
#include <utility>
#include <string_view>

#include "core/profiles/auto_rules.h"

namespace corvaline {

// What holds a switch back; the profile due is kept until none holds.
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
  std::string onMouse;     // the profile the mouse holds, as far as known; empty: unknown
  std::set<std::pair<std::string, std::string>> failedRules;  // application, profile
};

struct SwitchDecision {
  std::string profile;
  std::string app;
};

// Focus went to `app` (own: one of the program's windows, which never counts).
void NoteFocus(AutoSwitchState& s, std::string_view app, bool own, std::int64_t nowMs);

// When the caller should ask Decide again; nullopt when no delay is running.
std::optional<std::int64_t> NextCheckMs(const AutoSwitchState& s, const AutoRules& rules);

// The profile to apply now, if any. The caller applies it and then calls
// NoteOnMouse (or DropDue when the profile cannot be loaded).
std::optional<SwitchDecision> Decide(AutoSwitchState& s, const AutoRules& rules,
                                     const SwitchConditions& c, std::int64_t nowMs);

// The mouse now holds `profile` (an automatic switch or a profile loaded by
// hand); empty when its settings are no named profile any more.
void NoteOnMouse(AutoSwitchState& s, std::string_view profile);
// Gives up the profile due (it could not be loaded), so it is not retried.
// True the first time in this run that this application's rule failed with
// this profile: only then is it said, so a user who switches back and forth
// hears of a deleted profile once, not on every switch.
bool DropDue(AutoSwitchState& s);

}  // namespace corvaline
