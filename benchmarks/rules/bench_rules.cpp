// Prints the time to parse rule files of 5,000 to 40,000 lines, the sizes
// at which every focus change once froze the window (0.75 s to 34 s). Each
// figure is the best of five runs.
//
// Usage: corvaline-bench-rules
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "core/profiles/auto_rules.h"

int main() {
  using Clock = std::chrono::steady_clock;
  for (int count : {5000, 10000, 20000, 40000}) {
    std::string text = "switch\ton\ndelay\t500\n";
    for (int i = 0; i < count; ++i)
      text += "rule\tapplication-" + std::to_string(i) + "\tprofile " + std::to_string(i % 50) + "\n";
    double best = 1e9;
    std::size_t kept = 0;
    for (int run = 0; run < 5; ++run) {
      const auto start = Clock::now();
      const corvaline::AutoRulesResult r = corvaline::AutoRulesFromText(text);
      best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
      kept = r.rules.rules.size();
    }
    std::printf("%6d rule lines: %8.2f ms (%zu rules kept, cap %zu)\n", count, best, kept,
                corvaline::kMaxAutoRules);
  }
  return 0;
}
