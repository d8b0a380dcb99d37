#include "platform/pauses.h"

#include <windows.h>
// after windows.h, which it needs
#include <timeapi.h>

#include <chrono>

#include "platform/pauses_tail.h"

// Windows 10 1803 and later; older headers lack the name.
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace corvaline::platform {
namespace {

// Sleep() and ordinary timers wake on the system tick, 15.6 ms unless
// someone raised the timer resolution, which would turn Apply's 249 ms of
// pauses into well over a second. A high-resolution waitable timer wakes
// close to time without touching the system-wide resolution; where there is
// none (before Windows 10 1803) the resolution is raised to 1 ms for the
// length of the Apply only. Either way the last stretch of each pause is
// waited out on the steady clock (QueryPerformanceCounter underneath, see
// pauses_tail.h), at most 1 ms of it.
//
// Wine is the other way round: its timers fire on the whole milliseconds of
// its server (a millisecond late on average, more on a busy machine), while
// its NtDelayExecution, under Sleep, waits to the microsecond in the calling
// process. There that call is the coarse wait: whole-millisecond Sleeps
// alone left each pause about 0.1 ms late (10 ms per Apply), the timer with
// its tail kept a third of a processor busy.
class TimerSleeper final : public Sleeper {
 public:
  void SleepMs(int ms) override {
    PauseUntil(PauseClock::now() + std::chrono::milliseconds(ms), margin_,
               [this](PauseClock::duration d) { WaitFor(d); });
  }

  void BeginPauses() override {
    if (depth_++ > 0 || wineDelay_) return;
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
  // May end early or late: PauseUntil checks the clock either way.
  void WaitFor(PauseClock::duration rest) {
    // Relative due times: negative, in 100 ns units.
    LARGE_INTEGER due;
    due.QuadPart = -static_cast<LONGLONG>(std::chrono::nanoseconds(rest).count() / 100);
    if (wineDelay_) {
      wineDelay_(FALSE, &due);
      return;
    }
    if (timer_ && SetWaitableTimerEx(timer_, &due, 0, nullptr, nullptr, nullptr, 0) &&
        WaitForSingleObject(timer_, INFINITE) == WAIT_OBJECT_0)
      return;
    // Whole milliseconds, rounded down so the wait ends before the margin
    // does; 0 gives the processor up for a moment.
    Sleep(static_cast<DWORD>(std::chrono::floor<std::chrono::milliseconds>(rest).count()));
  }

  using DelayFn = LONG(WINAPI*)(BOOLEAN alertable, PLARGE_INTEGER interval);

  // Wine's NtDelayExecution; none on Windows, which rounds it to its tick.
  static DelayFn WineDelay() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (!ntdll || !GetProcAddress(ntdll, "wine_get_version")) return nullptr;
    return reinterpret_cast<DelayFn>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "NtDelayExecution")));
  }

  const DelayFn wineDelay_ = WineDelay();
  int depth_ = 0;
  HANDLE timer_ = nullptr;
  bool raisedPeriod_ = false;
  WakeMargin margin_{std::chrono::microseconds(1000)};
};

}  // namespace

Sleeper& SystemSleeper() {
  static TimerSleeper sleeper;
  return sleeper;
}

}  // namespace corvaline::platform
