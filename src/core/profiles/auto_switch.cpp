#include "core/profiles/auto_switch.h"

namespace corvaline {

void NoteFocus(AutoSwitchState& s, std::string_view app, bool own, std::int64_t nowMs) {
  // The program's own windows end the running delay but leave the last
  // application and its due profile as they were.
  s.pending = !own && !app.empty();
  s.pendingApp = s.pending ? std::string(app) : std::string();
  s.pendingSinceMs = nowMs;
}

std::optional<std::int64_t> NextCheckMs(const AutoSwitchState& s, const AutoRules& rules) {
  if (!s.pending || !rules.on) return std::nullopt;
  return s.pendingSinceMs + rules.delayMs;
}

std::optional<SwitchDecision> Decide(AutoSwitchState& s, const AutoRules& rules,
                                     const SwitchConditions& c, std::string_view onMouse,
                                     std::int64_t nowMs) {
  if (!rules.on) return std::nullopt;
  if (s.pending && nowMs - s.pendingSinceMs >= rules.delayMs) {
    s.pending = false;
    s.settledApp = s.pendingApp;
    s.dueProfile = ProfileForApp(rules, s.settledApp);
  }
  if (s.dueProfile.empty()) return std::nullopt;
  if (s.dueProfile == onMouse) {
    s.dueProfile.clear();
    return std::nullopt;
  }
  if (!c.mousePresent || c.unappliedEdits || c.recording || c.dialogOpen || c.ownWindowFocused)
    return std::nullopt;
  return SwitchDecision{s.dueProfile, s.settledApp};
}

void NoteSwitched(AutoSwitchState& s) { s.dueProfile.clear(); }

bool DropDue(AutoSwitchState& s) {
  const bool first = FirstTrouble(s, s.settledApp, s.dueProfile, RuleTrouble::ProfileUnreadable);
  s.dueProfile.clear();
  return first;
}

bool FirstTrouble(AutoSwitchState& s, std::string_view app, std::string_view profile,
                  RuleTrouble trouble) {
  return s.failedRules.emplace(std::string(app), std::string(profile), static_cast<int>(trouble)).second;
}

}  // namespace corvaline
