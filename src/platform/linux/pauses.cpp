#include "platform/pauses.h"

#include <sys/prctl.h>

#include <chrono>
#include <thread>

#include "platform/pauses_tail.h"

namespace corvaline::platform {
namespace {

// A sleeping thread's wake-up may run late by its timer slack (50 us by
// default) so the kernel can merge wake-ups; for the length of an Apply the
// slack is the least the kernel takes (1 ns), then the thread's own value
// comes back. The slack belongs to the calling thread, which is the one that
// sleeps. What is left is the scheduler's wake-up latency, which the tail
// of each pause waits out on the clock (see pauses_tail.h).
class SlackSleeper final : public Sleeper {
 public:
  void SleepMs(int ms) override {
    PauseUntil(PauseClock::now() + std::chrono::milliseconds(ms), margin_,
               [](PauseClock::duration d) { std::this_thread::sleep_for(d); });
  }
  void BeginPauses() override {
    if (depth_++ > 0) return;
    const int slack = ::prctl(PR_GET_TIMERSLACK, 0, 0, 0, 0);
    savedSlack_ = slack > 0 ? static_cast<unsigned long>(slack) : 0;
    if (savedSlack_ > 0) ::prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
  }
  void EndPauses() override {
    if (depth_ == 0 || --depth_ > 0) return;
    // 0 would mean "the default slack" rather than the value this thread had.
    if (savedSlack_ > 0) ::prctl(PR_SET_TIMERSLACK, savedSlack_, 0, 0, 0);
  }

 private:
  int depth_ = 0;
  unsigned long savedSlack_ = 0;
  WakeMargin margin_{std::chrono::microseconds(500)};
};

}  // namespace

Sleeper& SystemSleeper() {
  static SlackSleeper sleeper;
  return sleeper;
}

}  // namespace corvaline::platform
