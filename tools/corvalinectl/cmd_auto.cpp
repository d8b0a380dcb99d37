// auto: the rules of automatic profiles (which profile the mouse gets when
// an application takes the focus), kept in the data folder beside config.bin.
#include <ostream>

#include "config_io.h"
#include "core/settings/utf8_paths.h"
#include "core/profiles/auto_rules.h"
#include "core/profiles/profile_store.h"

namespace corvaline::cli {
namespace {

constexpr const char* kAutoUsage =
    "usage: corvalinectl auto add APP PROFILE | remove APP | list | default PROFILE|none\n"
    "                         | on | off | delay MS   [--config FILE]\n"
    "The running program applies PROFILE when the application APP (its X11 WM_CLASS or\n"
    "Wayland app_id, any case) has kept the focus for the delay; applications without\n"
    "a rule get the default profile, or keep what the mouse has with none.\n";

std::vector<std::string> Positionals(Invocation& inv, std::filesystem::path& config) {
  std::vector<std::string> rest;
  for (std::size_t i = 0; i < inv.args.size(); ++i) {
    const std::string& a = inv.args[i];
    if (a == "--config") {
      if (i + 1 >= inv.args.size()) throw UsageError("--config needs a file");
      config = inv.args[++i];
    } else if (a.size() > 1 && a[0] == '-') {
      throw UsageError("unknown option '" + a + "'");
    } else {
      rest.push_back(a);
    }
  }
  return rest;
}

// Rules the tool would rewrite must be whole: a bad line is refused, never
// silently dropped.
AutoRules ReadForChange(const std::filesystem::path& folder) {
  AutoRulesResult r = ReadAutoRules(folder);
  if (!r.problems.empty())
    throw Failure(Utf8FromPath(folder / kAutoRulesFile) + ": " + r.problems.front() +
                  " (mend or remove the line first)");
  return r.rules;
}

void RequireProfile(const std::filesystem::path& folder, const std::string& name) {
  ThrowIfFailed<UsageError>(CheckProfileName(name));
  for (const std::string& n : ListProfiles(ProfilesFolder(folder)))
    if (n == name) return;
  throw Missing("there is no profile '" + name + "' (see 'corvalinectl profile list')");
}

int List(Invocation& inv, const std::filesystem::path& folder) {
  const AutoRulesResult r = ReadAutoRules(folder);
  for (const std::string& p : r.problems) inv.err << "corvalinectl: warning: " << p << '\n';
  for (const std::string& w : r.warnings) inv.err << "corvalinectl: warning: " << w << '\n';
  inv.out << "switch: " << (r.rules.on ? "on" : "off") << '\n'
          << "delay: " << r.rules.delayMs << " ms\n"
          << "default: " << (r.rules.defaultProfile.empty() ? "none" : r.rules.defaultProfile)
          << '\n';
  for (const AutoRule& rule : r.rules.rules)
    inv.out << "rule: " << rule.app << " -> " << rule.profile << '\n';
  int today = 0;
  const std::string day = TodayText();
  for (const DayCount& d : ReadAutoApplyCounts(folder))
    if (d.day == day) today = d.count;
  inv.out << "automatic applies today (" << day << "): " << today << '\n';
  return kExitOk;
}

// Returns what changed, in the words `auto list` prints.
std::string Change(const std::vector<std::string>& a, const std::filesystem::path& folder,
                   AutoRules& rules) {
  const std::string& verb = a[0];
  auto need = [&](std::size_t n, const char* what) {
    if (a.size() != n + 1) throw UsageError("auto " + verb + " takes " + what);
  };
  if (verb == "add") {
    need(2, "APP PROFILE");
    ThrowIfFailed<UsageError>(CheckAppId(a[1]));
    RequireProfile(folder, a[2]);
    SetRule(rules, a[1], a[2]);
    return "rule: " + a[1] + " -> " + a[2];
  } else if (verb == "remove") {
    need(1, "APP");
    if (!RemoveRule(rules, a[1])) throw Missing("there is no rule for '" + a[1] + "'");
    return "removed the rule for " + a[1];
  } else if (verb == "default") {
    need(1, "PROFILE or none");
    if (a[1] != "none") RequireProfile(folder, a[1]);
    rules.defaultProfile = a[1] == "none" ? std::string() : a[1];
    return "default: " + a[1];
  } else if (verb == "on" || verb == "off") {
    need(0, "nothing more");
    rules.on = verb == "on";
    return "switch: " + verb;
  } else if (verb == "delay") {
    need(1, "MS");
    std::size_t used = 0;
    int ms = -1;
    try {
      ms = std::stoi(a[1], &used);
    } catch (const std::exception&) {
    }
    if (used != a[1].size() || ms < 0 || ms > kMaxAutoDelayMs)
      throw UsageError("the delay is 0..60000 ms");
    rules.delayMs = ms;
    return "delay: " + std::to_string(ms) + " ms";
  }
  throw UsageError("unknown auto command '" + verb +
                   "' (add, remove, list, default, on, off, delay)");
}

}  // namespace

int RunAuto(Invocation& inv) {
  if (inv.args.empty() || WantsHelp(inv.args)) {
    inv.out << kAutoUsage;
    return inv.args.empty() ? kExitUsage : kExitOk;
  }
  std::filesystem::path config;
  const std::vector<std::string> a = Positionals(inv, config);
  if (a.empty()) throw UsageError("no auto command given");
  const std::filesystem::path folder = ConfigOption(inv, config).parent_path();
  if (a[0] == "list") {
    if (a.size() != 1) throw UsageError("auto list takes nothing more");
    return List(inv, folder);
  }
  AutoRules rules = ReadForChange(folder);
  const std::string done = Change(a, folder, rules);
  ThrowIfFailed(WriteAutoRules(folder, rules));
  inv.out << done << " (saved in " << Utf8FromPath(folder / kAutoRulesFile) << ")\n";
  return kExitOk;
}

}  // namespace corvaline::cli
