// The precise end of a pause, shared by the systems' sleepers. A system
// sleep wakes late by a wake-up latency that varies from machine to machine
// (40 to 80 microseconds on this project's Linux machines even with the
// timer slack at its least), and Apply's 90 pauses add that up. So a pause
// sleeps until shortly before its deadline and waits out the rest on the
// steady clock. How early it wakes is learned from the wake-ups seen, so the
// busy tail stays a few tens of microseconds where the system wakes on time:
// a few milliseconds of processor time per Apply. The tail does not yield:
// on a busy machine a yield hands the processor to another thread for its
// whole time slice, which is what made pauses overrun in the first place.
#pragma once

#include <algorithm>
#include <chrono>

namespace corvaline::platform {

using PauseClock = std::chrono::steady_clock;

class WakeMargin {
 public:
  // `most` bounds the busy tail of one pause: where wake-ups are later than
  // that, spinning longer would burn the processor for nothing.
  explicit WakeMargin(std::chrono::microseconds most) : most_(most), margin_(most / 2) {}

  PauseClock::duration Get() const { return margin_; }

  // `late`: how long after its aim the last sleep ended. A wake-up later
  // than the bound is the thread waiting for the processor, not the timer's
  // latency: it says nothing about the next one and is not learned.
  void Learn(PauseClock::duration late) {
    using std::chrono::microseconds;
    if (late > most_) return;
    const PauseClock::duration want =
        std::clamp<PauseClock::duration>(late + late / 4 + microseconds(15), microseconds(20), most_);
    // Up at once after a late wake-up, down slowly: one quick wake-up in a
    // run of late ones must not make the next pause overrun.
    margin_ = want > margin_ ? want : margin_ - (margin_ - want) / 8;
  }

 private:
  PauseClock::duration most_;
  PauseClock::duration margin_;
};

// Waits until `deadline`, never returning before it: `sleep(d)` (the
// system's sleep, which may end early or late) until the margin before it,
// then the steady clock is read until the deadline has passed.
template <class Sleep>
void PauseUntil(PauseClock::time_point deadline, WakeMargin& margin, Sleep&& sleep) {
  const PauseClock::time_point wakeAt = deadline - margin.Get();
  PauseClock::time_point now = PauseClock::now();
  if (now < wakeAt) {
    do sleep(wakeAt - now);
    while ((now = PauseClock::now()) < wakeAt);
    margin.Learn(now - wakeAt);
  }
  while (now < deadline) now = PauseClock::now();
}

}  // namespace corvaline::platform
