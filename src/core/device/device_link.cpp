#include "core/device/device_link.h"

#include <chrono>
#include <string>
#include <thread>

namespace corvaline {

namespace {
class ThreadSleeper final : public Sleeper {
 public:
  void SleepMs(int ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};
}  // namespace

Sleeper& RealSleeper() {
  static ThreadSleeper sleeper;
  return sleeper;
}

DeviceLink& Link() {
  static DeviceLink link;
  return link;
}

void SetDeviceReady(DeviceLink& link, bool ready) {
  link.deviceReady.store(ready);
  // Taking the lock orders the store against a reader that is about to wait.
  { std::lock_guard<std::mutex> lock(link.events.mutex); }
  link.events.changed.notify_all();
}

void SetEventDevice(DeviceLink& link, std::unique_ptr<HidDevice> device, std::uint16_t length) {
  std::shared_ptr<HidDevice> previous;
  {
    std::lock_guard<std::mutex> lock(link.events.mutex);
    previous = std::move(link.events.device);
    link.events.device = std::move(device);
    link.events.reportLength = length;
    ++link.events.generation;
  }
  link.events.changed.notify_all();
  // The reader may still be blocked on the old collection; it holds its own
  // reference and drops it once the read returns.
  if (previous) previous->CancelRead();
}

void CloseDeviceHandles(DeviceLink& link) {
  link.commandHandle.reset();
  if (link.events.device) SetEventDevice(link, nullptr, 0);
}

void Notify(DeviceLink& link, int code, int value) {
  if (link.listener) link.listener(code, value);
}

void Trace(DeviceLink& link, std::string_view line) {
  if (link.traceOn && link.trace) link.trace(line);
}

void Pause(DeviceLink& link, int ms) {
  if (link.traceOn && link.trace) Trace(link, "SLEEP " + std::to_string(ms));
  if (link.sleeper) link.sleeper->SleepMs(ms);
}

}  // namespace corvaline
