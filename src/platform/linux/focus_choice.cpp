// Which focus watchers run, decided once at start from the session.
#include <cstdlib>
#include <string>

#include "platform/focus_watch.h"

namespace corvaline::platform {
namespace {

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

}  // namespace

FocusWatchers CreateFocusWatchers(const FocusWatcher::Report& report) {
  FocusWatchers out;
  std::string problem;
  if (!Env("DISPLAY").empty()) {
    if (auto x11 = CreateX11FocusWatcher(report, &problem)) out.watchers.push_back(std::move(x11));
  }
  if (out.watchers.empty()) out.problem = problem.empty() ? "no desktop to watch" : problem;
  return out;
}

}  // namespace corvaline::platform
