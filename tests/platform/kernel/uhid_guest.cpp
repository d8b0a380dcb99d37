// The Linux backend against the kernel's own HID stack, run as the test of a
// small virtual machine (run_kernel_test.sh). The virtual mouse's firmware
// model sits behind /dev/uhid as two HID devices, the way the real mouse
// shows two USB interfaces: the feature collection (0xFF00, no report IDs)
// and the event collection (0xFF01, report ID 6). The kernel makes real
// hidraw nodes of them, and the program's code finds and drives them:
// discovery through sysfs and the descriptor parser, the handshake,
// RefreshSensorInfo, a whole Apply whose traffic must equal the recorded
// trace, event reports through the report reader, and the mouse vanishing
// in the middle of an Apply.
//
// Prints one verdict line, "CORVALINE-KERNEL-TEST: PASS" or
// "CORVALINE-KERNEL-TEST: FAIL <why>", which the host looks for on the
// serial console.
#include <fcntl.h>
#include <linux/uhid.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "core/device/apply.h"
#include "core/device/commands.h"
#include "core/device/discovery.h"
#include "core/device/report_reader.h"
#include "core/settings/config_file.h"
#include "platform/linux/hidraw_backend.h"
#include "sim/virtual_mouse.h"

using namespace corvaline;

namespace {

std::vector<std::string> failures;

void Check(bool ok, const std::string& what) {
  std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
  std::fflush(stdout);
  if (!ok) failures.push_back(what);
}

// Feature collection: 8-byte feature report (the CommandBlock), 32-byte input
// and output reports (bulk data), no report IDs.
const std::vector<std::uint8_t> kFeatureDescriptor = {
    0x06, 0x00, 0xFF, 0x0A, 0x00, 0xFF, 0xA1, 0x01,  // usage page FF00, usage FF00
    0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08,        // bytes 0..255
    0x95, 0x08, 0x09, 0x01, 0xB1, 0x02,              // feature, 8 bytes
    0x95, 0x20, 0x09, 0x02, 0x81, 0x02,              // input, 32 bytes
    0x95, 0x20, 0x09, 0x03, 0x91, 0x02,              // output, 32 bytes
    0xC0,
};
// Event collection: report ID 6, seven bytes.
const std::vector<std::uint8_t> kEventDescriptor = {
    0x06, 0x01, 0xFF, 0x0A, 0x01, 0xFF, 0xA1, 0x01,  // usage page FF01, usage FF01
    0x85, 0x06, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08,
    0x95, 0x07, 0x09, 0x01, 0x81, 0x02,
    0xC0,
};

// One HID device made through /dev/uhid, answering from the virtual mouse.
class UhidDevice {
 public:
  UhidDevice(sim::VirtualMouse& mouse, sim::Collection which, const char* name)
      : mouse_(mouse), which_(which) {
    fd_ = ::open("/dev/uhid", O_RDWR | O_CLOEXEC);
    if (fd_ < 0) return;
    const auto& rd = which == sim::Collection::Feature ? kFeatureDescriptor : kEventDescriptor;
    uhid_event ev{};
    ev.type = UHID_CREATE2;
    std::snprintf(reinterpret_cast<char*>(ev.u.create2.name), sizeof ev.u.create2.name, "%s", name);
    ev.u.create2.rd_size = static_cast<__u16>(rd.size());
    ev.u.create2.bus = 0x03;  // USB
    ev.u.create2.vendor = kMouseVendorId;
    ev.u.create2.product = kMouseProductId;
    std::memcpy(ev.u.create2.rd_data, rd.data(), rd.size());
    created_ = Send(ev);
    generation_ = mouse_.Generation();
    thread_ = std::thread([this] { Serve(); });
  }
  ~UhidDevice() {
    stop_ = true;
    Destroy();
    if (thread_.joinable()) thread_.join();
    if (fd_ >= 0) ::close(fd_);
  }
  bool Created() const { return created_; }

  // The mouse drops off the bus after this many more feature reports set.
  void DestroyAfterSets(int count) { destroyAfter_ = count; }
  void Destroy() {
    std::lock_guard lock(write_);
    if (!created_ || fd_ < 0) return;
    uhid_event ev{};
    ev.type = UHID_DESTROY;
    [[maybe_unused]] const ssize_t n = ::write(fd_, &ev, sizeof ev);
    created_ = false;
  }
  // An input report, with its ID byte when the device numbers its reports.
  void Input(std::span<const std::uint8_t> report) {
    uhid_event ev{};
    ev.type = UHID_INPUT2;
    ev.u.input2.size = static_cast<__u16>(report.size());
    std::memcpy(ev.u.input2.data, report.data(), report.size());
    Send(ev);
  }

 private:
  bool Send(const uhid_event& ev) {
    std::lock_guard lock(write_);
    if (fd_ < 0) return false;
    return ::write(fd_, &ev, sizeof ev) == static_cast<ssize_t>(sizeof ev);
  }

  void Serve() {
    while (!stop_) {
      pollfd p{fd_, POLLIN, 0};
      if (::poll(&p, 1, 100) <= 0) continue;
      uhid_event ev{};
      if (::read(fd_, &ev, sizeof ev) <= 0) continue;
      switch (ev.type) {
        case UHID_GET_REPORT: AnswerGet(ev); break;
        case UHID_SET_REPORT: AnswerSet(ev); break;
        case UHID_OUTPUT:
          mouse_.WriteOutput(generation_, std::span(ev.u.output.data, ev.u.output.size));
          PassDataReports();
          break;
        default: break;
      }
    }
  }

  void AnswerGet(const uhid_event& req) {
    uhid_event ev{};
    ev.type = UHID_GET_REPORT_REPLY;
    ev.u.get_report_reply.id = req.u.get_report.id;
    std::uint8_t report[sim::kFeatureReportLength]{};
    report[0] = req.u.get_report.rnum;
    const bool ok = mouse_.GetFeature(generation_, report) == sim::Transfer::Ok;
    ev.u.get_report_reply.err = ok ? 0 : EIO;
    ev.u.get_report_reply.size = sizeof report;  // the report number 0 first
    std::memcpy(ev.u.get_report_reply.data, report, sizeof report);
    Send(ev);
  }

  void AnswerSet(const uhid_event& req) {
    const bool ok = mouse_.SetFeature(generation_, std::span(req.u.set_report.data,
                                                             req.u.set_report.size)) ==
                    sim::Transfer::Ok;
    if (destroyAfter_ > 0 && --destroyAfter_ == 0) {
      Destroy();
      return;
    }
    uhid_event ev{};
    ev.type = UHID_SET_REPORT_REPLY;
    ev.u.set_report_reply.id = req.u.set_report.id;
    ev.u.set_report_reply.err = ok ? 0 : EIO;
    Send(ev);
    PassDataReports();
  }

  // The data reports of a bulk read, as the mouse's input reports (no ID).
  void PassDataReports() {
    std::uint8_t data[sim::kDataReportLength];
    std::size_t got = 0;
    while (mouse_.ReadData(generation_, data, got) == sim::Transfer::Ok && got > 1)
      Input(std::span(data + 1, got - 1));
  }

  sim::VirtualMouse& mouse_;
  sim::Collection which_;
  int fd_ = -1;
  bool created_ = false;
  std::uint64_t generation_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<int> destroyAfter_{0};
  std::mutex write_;
  std::thread thread_;
};

bool WaitForNodes(std::size_t count) {
  for (int i = 0; i < 200; ++i) {
    std::size_t n = 0;
    for (const auto& e : std::filesystem::directory_iterator("/dev"))
      n += e.path().filename().string().rfind("hidraw", 0) == 0;
    if (n >= count) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

std::string ReadText(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Handshake, RefreshSensorInfo and Apply of the delivered config.bin: the
// traffic must be the recorded one, byte for byte.
void ApplyAsRecorded(DeviceLink& link, const SettingsBlock& block, const std::string& golden) {
  std::string trace;
  link.traceOn = true;
  link.trace = [&](std::string_view line) { trace.append(line).append("\n"); };
  Check(ConnectAtStartup(link).ready, "discovery and handshake on the hidraw nodes");
  Check(link.featureReportLength == 9 && link.inputReportLength == 33 &&
            link.outputReportLength == 33,
        "report lengths 9/33/33 from the kernel's descriptor");
  RefreshSensorInfo(link);
  Check(ApplySettings(link, block, {}).failedTransfers == 0, "a whole Apply without a failed transfer");
  Check(!golden.empty() && trace == golden, "the traffic equals the recorded trace");
  if (trace != golden) std::printf("--- traffic seen:\n%s---\n", trace.c_str());
  link.traceOn = false;
}

void EventsThroughTheReader(DeviceLink& link, sim::VirtualMouse& mouse, UhidDevice& events) {
  std::mutex m;
  std::condition_variable cv;
  std::vector<std::pair<int, int>> seen;
  ReportReader reader(link, [&](int code, int value) {
    std::lock_guard lock(m);
    seen.emplace_back(code, value);
    cv.notify_all();
  });
  reader.Start();
  auto channel = mouse.OpenEvents();
  mouse.RaiseEvent(kEventDpiStage, 3);
  mouse.RaiseEvent(kEventKeyGroup, 2);
  std::uint8_t report[sim::kEventReportLength];
  std::size_t got = 0;
  bool gone = false;
  while (channel->TryRead(report, got, gone)) events.Input(std::span(report, got));
  std::unique_lock lock(m);
  cv.wait_for(lock, std::chrono::seconds(10), [&] { return seen.size() >= 2; });
  Check(seen == std::vector<std::pair<int, int>>{{7, 3}, {8, 2}},
        "event reports 7 and 8 through the report reader");
  lock.unlock();
  reader.Stop();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string dataDir = argc > 1 ? argv[1] : "/corvaline";
  sim::VirtualMouse mouse;
  SettingsStore store;
  Check(LoadSettings(store, dataDir + "/config.bin").loaded, "the delivered config.bin loads");
  const std::string golden = ReadText((dataDir + "/corvalinectl_apply_delivered.trace").c_str());
  {
    // The event interface first, as the mouse lists it.
    UhidDevice events(mouse, sim::Collection::Events, "CORVALINE events");
    UhidDevice feature(mouse, sim::Collection::Feature, "CORVALINE feature");
    Check(events.Created() && feature.Created(), "two HID devices made through /dev/uhid");
    Check(WaitForNodes(2), "the kernel made two hidraw nodes");

    platform::LinuxHidOptions options;
    options.withVirtualMice = false;
    auto backend = platform::CreateLinuxHidBackend(options);
    Check(backend != nullptr, "the Linux backend starts");
    if (!backend) return 1;
    for (const HidCollectionInfo& c : backend->Enumerate())
      std::printf("     %s %04x:%04x page %04x usage %04x in %u out %u feature %u %s\n",
                  c.path.c_str(), c.vendorId, c.productId, c.usagePage, c.usage,
                  c.inputReportLength, c.outputReportLength, c.featureReportLength,
                  c.problem.c_str());
    DeviceLink link;
    link.backend = backend.get();
    ApplyAsRecorded(link, store.settings, golden);
    EventsThroughTheReader(link, mouse, events);

    // Gone in the middle of an Apply: every transfer after it fails, none hangs.
    feature.DestroyAfterSets(20);
    const auto start = std::chrono::steady_clock::now();
    const unsigned failed = ApplySettings(link, store.settings, {}).failedTransfers;
    const auto took = std::chrono::steady_clock::now() - start;
    Check(failed > 0, "the Apply after the mouse vanished counts " + std::to_string(failed) +
                          " failed transfers");
    Check(took < std::chrono::seconds(30), "and runs to its end without hanging");
    CloseDeviceHandles(link);
  }
  if (failures.empty()) {
    std::printf("CORVALINE-KERNEL-TEST: PASS\n");
  } else {
    std::printf("CORVALINE-KERNEL-TEST: FAIL %s\n", failures.front().c_str());
  }
  std::fflush(stdout);
  return failures.empty() ? 0 : 1;
}
