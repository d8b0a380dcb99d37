// The one way a test waits: for a condition, with a deadline, and when the
// deadline passes it says what it waited for and what it saw instead. A
// fixed sleep passes on a quiet machine and fails on a loaded one.
#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <thread>

namespace corvaline::testing_support {

using namespace std::chrono_literals;

// Empty when `done` held before `timeout` passed; otherwise "waited T ms for
// WHAT; saw: SEEN" (SEEN from `seen`, asked once, after the deadline).
inline std::string WaitFor(std::string_view what, std::chrono::milliseconds timeout,
                           const std::function<bool()>& done,
                           const std::function<std::string()>& seen = {}) {
  const auto start = std::chrono::steady_clock::now();
  for (auto pause = 2ms;; pause = std::min(pause * 2, std::chrono::milliseconds(50))) {
    if (done()) return {};
    if (std::chrono::steady_clock::now() - start >= timeout) break;
    std::this_thread::sleep_for(pause);
  }
  // Once more: the last pause may have ended just after the deadline.
  if (done()) return {};
  std::string report = "waited " + std::to_string(timeout.count()) + " ms for " + std::string(what);
  if (seen) report += "; saw: " + seen();
  return report;
}

}  // namespace corvaline::testing_support
