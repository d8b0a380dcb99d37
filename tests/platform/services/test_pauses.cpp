// The mouse misses data after a pause shorter than it asks for; a longer one
// only slows Apply down (the benchmark measures by how much).
#include <gtest/gtest.h>

#include <chrono>

#include "platform/pauses.h"
#include "platform/pauses_tail.h"

namespace corvaline::platform {
namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

TEST(Pauses, SystemSleeperNeverEndsEarly) {
  Sleeper& sleeper = SystemSleeper();
  for (bool inRun : {true, false}) {
    if (inRun) sleeper.BeginPauses();
    for (int ms : {1, 2, 3, 5, 2, 2, 3, 1}) {
      const auto start = PauseClock::now();
      sleeper.SleepMs(ms);
      EXPECT_GE(PauseClock::now() - start, milliseconds(ms)) << ms << " ms, in a run: " << inRun;
    }
    if (inRun) sleeper.EndPauses();
  }
}

// Whatever the system's sleep does, early or very late, the tail holds the
// deadline and the margin it learns stays within its bound.
TEST(Pauses, TailHoldsTheDeadlineWhateverTheSleepDoes) {
  WakeMargin margin(microseconds(400));
  int call = 0;
  const auto erratic = [&call](PauseClock::duration d) {
    const auto start = PauseClock::now();
    const PauseClock::duration take = ++call % 3 == 0 ? d / 3 : call % 3 == 1 ? d + milliseconds(1) : d;
    while (PauseClock::now() - start < take) {
    }
  };
  for (int i = 0; i < 12; ++i) {
    const auto deadline = PauseClock::now() + milliseconds(2);
    PauseUntil(deadline, margin, erratic);
    EXPECT_GE(PauseClock::now(), deadline) << i;
    EXPECT_LE(margin.Get(), microseconds(400));
    EXPECT_GE(margin.Get(), microseconds(20));
  }
}

}  // namespace
}  // namespace corvaline::platform
