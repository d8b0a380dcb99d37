#include "platform/pauses.h"

#include <sys/prctl.h>

#include <chrono>
#include <thread>

namespace corvaline::platform {
namespace {

// Linux lets a sleeping thread's wake-up run late by its timer slack (50 us
// by default) so wake-ups can be merged; 90 pauses add that up. For the
// length of an Apply the slack is the least the kernel takes (1 ns), then
// the thread's own value comes back. The slack belongs to the calling
// thread, which is the one that sleeps.
class SlackSleeper final : public Sleeper {
 public:
  void SleepMs(int ms) override {
    // sleep_for never returns before the time has passed. No spinning for
    // the last microseconds: a thread that spins loses the scheduler's
    // favour for sleepers and, on a busy machine, wakes later afterwards.
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
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
};

}  // namespace

Sleeper& SystemSleeper() {
  static SlackSleeper sleeper;
  return sleeper;
}

}  // namespace corvaline::platform
