#include "platform/pauses.h"

#include <windows.h>
// after windows.h, which it needs
#include <timeapi.h>

#include <chrono>

// Windows 10 1803 and later; older headers lack the name.
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace corvaline::platform {
namespace {

using Clock = std::chrono::steady_clock;

// Sleep() and ordinary timers wake on the system tick, 15.6 ms unless
// someone raised the timer resolution, which would turn Apply's 249 ms of
// pauses into well over a second. A high-resolution waitable timer wakes on
// time without touching the system-wide resolution; where there is none
// (before Windows 10 1803) the resolution is raised to 1 ms for the length of
// the Apply only.
class TimerSleeper final : public Sleeper {
 public:
  void SleepMs(int ms) override {
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    // Waits may end a little early (Sleep counts ticks, not time): wait
    // again for the rest, so a pause is never shorter than asked.
    for (auto now = Clock::now(); now < deadline; now = Clock::now())
      WaitFor(std::chrono::duration_cast<std::chrono::nanoseconds>(deadline - now));
  }

  void BeginPauses() override {
    if (depth_++ > 0) return;
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                    TIMER_ALL_ACCESS);
    if (!timer_) raisedPeriod_ = timeBeginPeriod(1) == TIMERR_NOERROR;
  }

  void EndPauses() override {
    if (depth_ == 0 || --depth_ > 0) return;
    if (timer_) CloseHandle(timer_);
    timer_ = nullptr;
    if (raisedPeriod_) timeEndPeriod(1);
    raisedPeriod_ = false;
  }

  ~TimerSleeper() override {
    if (timer_) CloseHandle(timer_);
    if (raisedPeriod_) timeEndPeriod(1);
  }

 private:
  void WaitFor(std::chrono::nanoseconds rest) {
    if (timer_) {
      // Relative due time: negative, in 100 ns units, rounded up.
      LARGE_INTEGER due;
      due.QuadPart = -static_cast<LONGLONG>((rest.count() + 99) / 100);
      if (SetWaitableTimerEx(timer_, &due, 0, nullptr, nullptr, nullptr, 0) &&
          WaitForSingleObject(timer_, INFINITE) == WAIT_OBJECT_0)
        return;
    }
    Sleep(static_cast<DWORD>(std::chrono::ceil<std::chrono::milliseconds>(rest).count()));
  }

  int depth_ = 0;
  HANDLE timer_ = nullptr;
  bool raisedPeriod_ = false;
};

}  // namespace

Sleeper& SystemSleeper() {
  static TimerSleeper sleeper;
  return sleeper;
}

}  // namespace corvaline::platform
