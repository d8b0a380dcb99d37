#include "core/settings/utf8_paths.h"
#include "core/profiles/auto_rules.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <ctime>
#include <unordered_map>
#include <utility>

#include "core/profiles/profile_store.h"
#include "core/settings/atomic_file.h"

namespace corvaline {
namespace {

constexpr std::size_t kMaxAppBytes = 200;
constexpr std::size_t kDaysKept = 31;

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameApp(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Lower(x) == Lower(y); });
}

std::vector<std::string_view> SplitTabs(std::string_view line) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

std::optional<int> Number(std::string_view text) {
  int v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return v;
}

// Takes the fields as a setting, or says why they cannot be one.
Outcome TakeLine(const std::vector<std::string_view>& f, AutoRules& rules) {
  const std::string_view key = f[0];
  if (key == "switch" && f.size() == 2 && (f[1] == "on" || f[1] == "off")) {
    rules.on = f[1] == "on";
  } else if (key == "delay" && f.size() == 2) {
    const auto ms = Number(f[1]);
    if (!ms || *ms < 0 || *ms > kMaxAutoDelayMs) return Outcome::Failed("the delay is 0..60000 ms");
    rules.delayMs = *ms;
  } else if (key == "default" && f.size() == 2) {
    if (Outcome named = CheckProfileName(f[1]); !named) return named;
    rules.defaultProfile = f[1];
  } else if (key == "rule" && f.size() == 3) {
    if (Outcome app = CheckAppId(f[1]); !app) return app;
    if (Outcome named = CheckProfileName(f[2]); !named) return named;
    SetRule(rules, f[1], f[2]);
  } else {
    return Outcome::Failed("not a setting (switch, delay, default or rule, fields separated by tabs)");
  }
  return {};
}

std::string LowerApp(std::string_view app) {
  std::string lower(app);
  for (char& c : lower) c = Lower(c);
  return lower;
}

// A well-formed rule line: added, or replacing an earlier one for the same
// application (said, since the earlier one is dropped at the next rewrite).
// Returns what to say and whether it is a problem (true) or a warning.
std::optional<std::pair<std::string, bool>> TakeRule(
    const std::vector<std::string_view>& f, int number,
    std::unordered_map<std::string, std::pair<std::size_t, int>>& seen, bool& capped,
    AutoRules& rules) {
  auto [at, added] = seen.try_emplace(LowerApp(f[1]), rules.rules.size(), number);
  if (added) {
    if (rules.rules.size() >= kMaxAutoRules) {
      seen.erase(at);
      if (capped) return std::nullopt;
      capped = true;
      return std::pair{"more than " + std::to_string(kMaxAutoRules) +
                           " rules; this one and those after it are left out",
                       true};
    }
    rules.rules.push_back({std::string(f[1]), std::string(f[2])});
    return std::nullopt;
  }
  rules.rules[at->second.first] = {std::string(f[1]), std::string(f[2])};
  const int earlier = std::exchange(at->second.second, number);
  return std::pair{"a second rule for " + std::string(f[1]) + " (line " +
                       std::to_string(earlier) + "); this one counts",
                   false};
}

std::filesystem::path CountsFile(const std::filesystem::path& folder) {
  return folder / kAutoCountsFile;
}

}  // namespace

Outcome CheckAppId(std::string_view app) {
  if (app.empty()) return Outcome::Failed("an application id cannot be empty");
  if (app.size() > kMaxAppBytes) return Outcome::Failed("an application id is at most 200 bytes long");
  for (char c : app)
    if (static_cast<unsigned char>(c) < 0x20) return Outcome::Failed("an application id cannot hold control characters");
  return {};
}

std::string ProfileForApp(const AutoRules& rules, std::string_view app) {
  for (const AutoRule& r : rules.rules)
    if (SameApp(r.app, app)) return r.profile;
  return rules.defaultProfile;
}

std::string ChooseAppId(const AutoRules& rules, const std::vector<std::string>& names) {
  for (const std::string& n : names)
    for (const AutoRule& r : rules.rules)
      if (SameApp(r.app, n)) return n;
  return names.empty() ? std::string() : names.back();
}

std::string AppIdFromExecutablePath(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  constexpr std::string_view kExe = ".exe";
  if (name.size() > kExe.size() && SameApp(name.substr(name.size() - kExe.size()), kExe))
    name.remove_suffix(kExe.size());
  return std::string(name);
}

void SetRule(AutoRules& rules, std::string_view app, std::string_view profile) {
  for (AutoRule& r : rules.rules) {
    if (SameApp(r.app, app)) {
      r = {std::string(app), std::string(profile)};
      return;
    }
  }
  rules.rules.push_back({std::string(app), std::string(profile)});
}

bool RemoveRule(AutoRules& rules, std::string_view app) {
  const auto n =
      std::erase_if(rules.rules, [app](const AutoRule& r) { return SameApp(r.app, app); });
  return n > 0;
}

std::string AutoRulesToText(const AutoRules& rules) {
  std::string t = "# CORVALINE automatic profiles (see the README); fields are tab-separated\n";
  t += std::string("switch\t") + (rules.on ? "on" : "off") + "\n";
  t += "delay\t" + std::to_string(rules.delayMs) + "\n";
  if (!rules.defaultProfile.empty()) t += "default\t" + rules.defaultProfile + "\n";
  for (const AutoRule& r : rules.rules) t += "rule\t" + r.app + "\t" + r.profile + "\n";
  return t;
}

AutoRulesResult AutoRulesFromText(std::string_view text) {
  AutoRulesResult out;
  // Where each application's rule sits and the line it came from, so that
  // a file of many rules is read in one pass instead of one scan per rule.
  std::unordered_map<std::string, std::pair<std::size_t, int>> seen;
  int number = 0;
  bool capped = false;
  while (!text.empty()) {
    const std::size_t nl = text.find('\n');
    std::string_view line = text.substr(0, nl);
    text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    const std::vector<std::string_view> fields = SplitTabs(line);
    auto where = [number] { return "line " + std::to_string(number) + ": "; };
    if (fields[0] == "rule" && fields.size() == 3 && CheckAppId(fields[1]) &&
        CheckProfileName(fields[2])) {
      if (const auto note = TakeRule(fields, number, seen, capped, out.rules))
        (note->second ? out.problems : out.warnings).push_back(where() + note->first);
    } else if (Outcome taken = TakeLine(fields, out.rules); !taken) {
      out.problems.push_back(where() + taken.Reason());
    }
  }
  return out;
}

AutoRulesResult ReadAutoRules(const std::filesystem::path& dataFolder) {
  const std::filesystem::path file = dataFolder / kAutoRulesFile;
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return {};
  const auto text = ReadWholeFile(file);
  if (!text) {
    AutoRulesResult r;
    r.rules.on = false;  // rules that cannot be read switch nothing
    r.problems.push_back("cannot read " + Utf8FromPath(file) + ": " + text.Reason());
    return r;
  }
  return AutoRulesFromText(*text);
}

namespace {

Outcome WriteWhole(const std::filesystem::path& file, std::string_view text) {
  if (Outcome written = WriteFileAtomically(file, text); !written)
    return Outcome::Failed("cannot write " + Utf8FromPath(file) + ": " + written.Reason());
  return {};
}

}  // namespace

Outcome WriteAutoRules(const std::filesystem::path& dataFolder, const AutoRules& rules) {
  return WriteWhole(dataFolder / kAutoRulesFile, AutoRulesToText(rules));
}

std::string TodayText() {
  const std::time_t now = std::time(nullptr);
  char text[16] = {};
  std::strftime(text, sizeof text, "%Y-%m-%d", std::localtime(&now));
  return text;
}

std::vector<DayCount> ReadAutoApplyCounts(const std::filesystem::path& dataFolder) {
  std::vector<DayCount> days;
  const auto text = ReadWholeFile(CountsFile(dataFolder));
  if (!text) return days;
  std::string_view rest = *text;
  while (!rest.empty()) {
    const std::size_t nl = rest.find('\n');
    const auto f = SplitTabs(rest.substr(0, nl));
    rest.remove_prefix(nl == std::string_view::npos ? rest.size() : nl + 1);
    const auto n = f.size() == 2 ? Number(f[1]) : std::nullopt;
    if (n && *n >= 0 && f[0].size() == 10) days.push_back({std::string(f[0]), *n});
  }
  std::sort(days.begin(), days.end(),
            [](const DayCount& a, const DayCount& b) { return a.day < b.day; });
  return days;
}

Outcome CountAutoApply(const std::filesystem::path& dataFolder, std::string_view day) {
  std::vector<DayCount> days = ReadAutoApplyCounts(dataFolder);
  auto it =
      std::find_if(days.begin(), days.end(), [day](const DayCount& d) { return d.day == day; });
  if (it == days.end())
    days.push_back({std::string(day), 1});
  else
    ++it->count;
  std::sort(days.begin(), days.end(),
            [](const DayCount& a, const DayCount& b) { return a.day < b.day; });
  if (days.size() > kDaysKept) days.erase(days.begin(), days.end() - kDaysKept);
  std::string text;
  for (const DayCount& d : days) text += d.day + "\t" + std::to_string(d.count) + "\n";
  return WriteWhole(CountsFile(dataFolder), text);
}

std::vector<std::string> RulesNamingProfile(const AutoRules& rules, std::string_view profile) {
  std::vector<std::string> out;
  for (const AutoRule& r : rules.rules)
    if (r.profile == profile) out.push_back("rule: " + r.app + " -> " + r.profile);
  if (!profile.empty() && rules.defaultProfile == profile)
    out.push_back("default: " + rules.defaultProfile);
  return out;
}

}  // namespace corvaline
