#include "core/device/report_reader.h"

#include <array>
#include <chrono>

namespace corvaline {

ReportReader::ReportReader(DeviceLink& link, EventReceiver receiver)
    : link_(link), receiver_(std::move(receiver)) {}

ReportReader::~ReportReader() { Stop(); }

void ReportReader::Start() {
  if (thread_.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(link_.events.mutex);
    stop_ = false;
    running_ = true;
  }
  thread_ = std::thread([this] {
    Run();
    {
      std::lock_guard<std::mutex> lock(link_.events.mutex);
      running_ = false;
    }
    link_.events.changed.notify_all();
  });
}

void ReportReader::RequestStop() {
  {
    std::lock_guard<std::mutex> lock(link_.events.mutex);
    stop_ = true;
    if (reading_) reading_->CancelRead();
  }
  link_.events.changed.notify_all();
}

bool ReportReader::Finished() const {
  std::lock_guard<std::mutex> lock(link_.events.mutex);
  return !running_;
}

void ReportReader::Stop() {
  if (!thread_.joinable()) return;
  {
    std::unique_lock<std::mutex> lock(link_.events.mutex);
    stop_ = true;
    link_.events.changed.notify_all();
    // A cancel that comes just before the read starts may be missed by the
    // backend, so it is repeated until the thread has left.
    while (running_) {
      if (reading_) reading_->CancelRead();
      link_.events.changed.wait_for(lock, std::chrono::milliseconds(50));
    }
  }
  thread_.join();
}

std::shared_ptr<HidDevice> ReportReader::WaitForDevice(std::size_t& length) {
  std::unique_lock<std::mutex> lock(link_.events.mutex);
  link_.events.changed.wait(lock, [this] {
    return stop_ || (link_.deviceReady.load() && link_.events.device);
  });
  if (stop_) return nullptr;
  length = std::min<std::size_t>(link_.events.reportLength, kEventReportBufferSize);
  reading_ = link_.events.device;
  return reading_;
}

void ReportReader::WaitForReplacement(const std::shared_ptr<HidDevice>& failed, bool gone) {
  std::unique_lock<std::mutex> lock(link_.events.mutex);
  auto replaced = [&] { return stop_ || link_.events.device != failed; };
  // A collection that is gone never comes back as the same handle; after any
  // other error the read is retried now and then.
  if (gone)
    link_.events.changed.wait(lock, replaced);
  else
    link_.events.changed.wait_for(lock, std::chrono::milliseconds(200), replaced);
}

void ReportReader::Run() {
  std::array<std::uint8_t, kEventReportBufferSize> report{};
  for (;;) {
    std::size_t length = 0;
    std::shared_ptr<HidDevice> device = WaitForDevice(length);
    if (!device) return;
    std::size_t got = 0;
    const HidReadResult result = device->ReadInput(std::span(report.data(), length), got);
    {
      std::lock_guard<std::mutex> lock(link_.events.mutex);
      reading_.reset();
      if (stop_) return;
    }
    if (result == HidReadResult::Gone || result == HidReadResult::Error) {
      WaitForReplacement(device, result == HidReadResult::Gone);
      continue;
    }
    if (result != HidReadResult::Ok || !link_.deviceReady.load()) continue;
    if (got < sizeof(EventReportHead) || got > length) continue;
    if (report[0] != kEventReportId || !IsForwardedEvent(report[1])) continue;
    if (receiver_) receiver_(report[1], report[3]);
  }
}

}  // namespace corvaline
