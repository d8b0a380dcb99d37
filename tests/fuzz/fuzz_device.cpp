// The program's side of the link against a mouse that the input steers:
// the virtual mouse answers, but before every transfer the input may fail
// it, replace or damage the answer, drop the mouse off the bus, or change the
// lengths and usages the collections announce. Through discovery, the
// handshake, RefreshSensorInfo, a whole Apply, a re-plug and the report
// reader nothing may crash, every Apply runs to its end, and the reader hands
// on only the four event codes it knows.
#include <fuzzer/FuzzedDataProvider.h>

#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <vector>

#include "core/device/apply.h"
#include "core/device/commands.h"
#include "core/device/discovery.h"
#include "core/device/handshake.h"
#include "core/device/report_reader.h"
#include "core/settings/config_file.h"
#include "fuzz_support.h"
#include "sim/in_process_backend.h"
#include "sim/virtual_mouse.h"

using namespace corvaline;

namespace {

enum class Fault : std::uint8_t { None, Fail, Garbage, FlipByte, Unplug };

// What happens to the next transfer: mostly nothing, so whole sequences run.
Fault NextFault(FuzzedDataProvider& in) {
  if (in.remaining_bytes() == 0) return Fault::None;
  switch (in.ConsumeIntegral<std::uint8_t>() % 16) {
    case 0: return Fault::Fail;
    case 1: return Fault::Garbage;
    case 2: return Fault::FlipByte;
    case 3: return Fault::Unplug;
    default: return Fault::None;
  }
}

class SteeredDevice final : public HidDevice {
 public:
  SteeredDevice(std::unique_ptr<HidDevice> inner, FuzzedDataProvider& in, sim::VirtualMouse& mouse)
      : inner_(std::move(inner)), in_(in), mouse_(mouse) {}

  bool SetFeature(std::span<const std::uint8_t> report) override {
    const Fault f = Before();
    if (f == Fault::Fail) return false;
    if (f == Fault::Garbage) return true;  // the mouse never saw it
    return inner_->SetFeature(report);
  }
  bool GetFeature(std::span<std::uint8_t> report) override {
    const Fault f = Before();
    if (f == Fault::Fail) return false;
    const bool ok = inner_->GetFeature(report);
    Damage(f, report);
    return ok || f == Fault::Garbage;
  }
  bool WriteOutput(std::span<const std::uint8_t> report) override {
    const Fault f = Before();
    if (f == Fault::Fail) return false;
    if (f == Fault::Garbage) return true;
    return inner_->WriteOutput(report);
  }
  HidReadResult ReadInput(std::span<std::uint8_t> buffer, std::size_t& got) override {
    const Fault f = Before();
    if (f == Fault::Fail) {
      got = 0;
      return HidReadResult::Error;
    }
    HidReadResult r = inner_->ReadInput(buffer, got);
    if (f == Fault::Garbage || f == Fault::FlipByte) {
      if (f == Fault::Garbage) got = in_.ConsumeIntegralInRange<std::size_t>(0, buffer.size());
      Damage(f, buffer.first(got));
      r = HidReadResult::Ok;
    }
    return r;
  }
  void CancelRead() override { inner_->CancelRead(); }

 private:
  Fault Before() {
    const Fault f = NextFault(in_);
    if (f == Fault::Unplug) mouse_.Unplug();
    return f;
  }
  void Damage(Fault f, std::span<std::uint8_t> report) {
    if (report.empty()) return;
    if (f == Fault::Garbage) {
      const std::vector<std::uint8_t> bytes = in_.ConsumeBytes<std::uint8_t>(report.size());
      std::memset(report.data(), 0, report.size());
      if (!bytes.empty()) std::memcpy(report.data(), bytes.data(), bytes.size());
    } else if (f == Fault::FlipByte) {
      report[in_.ConsumeIntegralInRange<std::size_t>(0, report.size() - 1)] ^=
          in_.ConsumeIntegralInRange<std::uint8_t>(1, 255);
    }
  }

  std::unique_ptr<HidDevice> inner_;
  FuzzedDataProvider& in_;
  sim::VirtualMouse& mouse_;
};

class SteeredBackend final : public HidBackend {
 public:
  SteeredBackend(std::shared_ptr<sim::VirtualMouse> mouse, FuzzedDataProvider& in)
      : mouse_(mouse), inner_(sim::CreateInProcessHidBackend(mouse)), in_(in) {}

  std::vector<HidCollectionInfo> Enumerate() override {
    std::vector<HidCollectionInfo> list = inner_->Enumerate();
    for (HidCollectionInfo& c : list) {
      if (in_.remaining_bytes() == 0 || in_.ConsumeIntegral<std::uint8_t>() % 8 != 0) continue;
      switch (in_.ConsumeIntegral<std::uint8_t>() % 4) {
        case 0: c.featureReportLength = in_.ConsumeIntegralInRange<std::uint16_t>(0, 70); break;
        case 1: c.inputReportLength = in_.ConsumeIntegralInRange<std::uint16_t>(0, 70); break;
        case 2: c.outputReportLength = in_.ConsumeIntegralInRange<std::uint16_t>(0, 70); break;
        default: c.usagePage ^= 1; break;  // the other collection's page
      }
    }
    return list;
  }
  HidOpenResult Open(const HidCollectionInfo& c, HidOpenMode mode) override {
    HidOpenResult d = inner_->Open(c, mode);
    if (!d) return d;
    return Opened(std::make_unique<SteeredDevice>(std::move(*d), in_, *mouse_));
  }
  bool StartDeviceMonitor() override { return true; }
  int NotificationHandle() const override { return -1; }
  std::vector<HidDeviceChange> TakeDeviceChanges() override { return {}; }

 private:
  std::shared_ptr<sim::VirtualMouse> mouse_;
  std::unique_ptr<HidBackend> inner_;
  FuzzedDataProvider& in_;
};

class NoSleep final : public Sleeper {
 public:
  void SleepMs(int) override {}
};

// Hands out the given reports, then ends as the input says (gone or error)
// and waits to be stopped.
class ScriptedEvents final : public HidDevice {
 public:
  std::deque<std::vector<std::uint8_t>> reports;
  HidReadResult last = HidReadResult::Gone;

  bool SetFeature(std::span<const std::uint8_t>) override { return false; }
  bool GetFeature(std::span<std::uint8_t>) override { return false; }
  bool WriteOutput(std::span<const std::uint8_t>) override { return false; }
  HidReadResult ReadInput(std::span<std::uint8_t> buffer, std::size_t& got) override {
    std::lock_guard lock(mutex_);
    got = 0;
    if (reports.empty()) {
      done_ = true;
      changed_.notify_all();
      return last;
    }
    const std::vector<std::uint8_t> r = std::move(reports.front());
    reports.pop_front();
    got = std::min(r.size(), buffer.size());
    if (got) std::memcpy(buffer.data(), r.data(), got);
    return HidReadResult::Ok;
  }
  void CancelRead() override {}
  void WaitUntilDone() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return done_; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool done_ = false;
};

const SettingsBlock& DeliveredSettings() {
  static const SettingsBlock block = [] {
    SettingsStore store;
    (void)LoadSettings(store, CORVALINE_SOURCE_DIR "/assets/config.bin");
    return store.settings;
  }();
  return block;
}

void RunReader(DeviceLink& link, FuzzedDataProvider& in) {
  auto events = std::make_unique<ScriptedEvents>();
  ScriptedEvents* script = events.get();
  const int count = in.ConsumeIntegralInRange(0, 8);
  for (int i = 0; i < count; ++i) {
    std::vector<std::uint8_t> r = in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegralInRange(0, 48));
    script->reports.push_back(std::move(r));
  }
  script->last = in.ConsumeBool() ? HidReadResult::Gone : HidReadResult::Error;
  const std::uint16_t length = in.ConsumeIntegralInRange<std::uint16_t>(0, 64);
  SetDeviceReady(link, true);
  SetEventDevice(link, std::move(events), length);
  std::atomic<int> delivered{0};
  ReportReader reader(link, [&](int code, int) {
    FUZZ_CHECK(IsForwardedEvent(static_cast<std::uint8_t>(code)));
    ++delivered;
  });
  reader.Start();
  script->WaitUntilDone();
  reader.Stop();
  FUZZ_CHECK(delivered <= count);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  auto mouse = std::make_shared<sim::VirtualMouse>();
  mouse->SetSensorType(in.ConsumeIntegralInRange<std::uint8_t>(0, 5));
  SettingsBlock block = DeliveredSettings();
  if (in.ConsumeBool()) {
    const std::vector<std::uint8_t> bytes = in.ConsumeBytes<std::uint8_t>(sizeof block);
    if (!bytes.empty()) std::memcpy(&block, bytes.data(), bytes.size());
  }
  SteeredBackend backend(mouse, in);
  NoSleep sleeper;
  DeviceLink link;
  link.backend = &backend;
  link.sleeper = &sleeper;
  link.traceOn = true;
  link.trace = [](std::string_view line) { FUZZ_CHECK(!line.empty()); };

  int saved = 0;
  const ApplySavers savers{[&] { ++saved; return Outcome(); }, [&] { ++saved; return Outcome(); }, {}};
  if (ConnectAtStartup(link)) {
    RefreshSensorInfo(link);
    (void)ApplySettings(link, block, savers);
    FUZZ_CHECK(saved == 2);
  }
  // Plugged in again: a fresh handshake, and a second Apply.
  mouse->Plug();
  (void)HandleDeviceChange(link, {HidDeviceChange::Kind::Arrival, "\\\\?\\HID#VID_04D9&PID_A09F#x"}, {});
  if (link.deviceReady) {
    saved = 0;
    (void)ApplySettings(link, block, savers);
    FUZZ_CHECK(saved == 2);
  }
  RunReader(link, in);
  CloseDeviceHandles(link);
  return 0;
}
