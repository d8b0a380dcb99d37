// Shared pieces of the device-link tests: a link wired to a virtual mouse, a
// sleeper that only counts, and a trace kept as lines.
#pragma once

#include <memory>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "core/device/device_link.h"
#include "core/device/discovery.h"
#include "core/device/handshake.h"
#include "sim/in_process_backend.h"
#include "sim/virtual_mouse.h"

namespace corvaline::testing {

class CountingSleeper final : public Sleeper {
 public:
  void SleepMs(int ms) override { pauses.push_back(ms); }
  int Total() const { return std::accumulate(pauses.begin(), pauses.end(), 0); }
  std::vector<int> pauses;
};

// A link on its own virtual mouse, traced, never waiting for real.
struct SimLink {
  explicit SimLink(sim::InProcessOptions options = {})
      : mouse(std::make_shared<sim::VirtualMouse>()),
        backend(sim::CreateInProcessHidBackend(mouse, options)) {
    link.backend = backend.get();
    link.sleeper = &sleeper;
    link.traceOn = true;
    link.trace = [this](std::string_view line) { trace.emplace_back(line); };
    link.listener = [this](int code, int value) { notes.emplace_back(code, value); };
  }
  ~SimLink() { CloseDeviceHandles(link); }

  // Discovery and handshake as at start-up; the trace starts empty after it.
  bool Connect() {
    const bool ready = ConnectAtStartup(link).ready;
    trace.clear();
    sleeper.pauses.clear();
    return ready;
  }

  std::shared_ptr<sim::VirtualMouse> mouse;
  std::unique_ptr<HidBackend> backend;
  CountingSleeper sleeper;
  DeviceLink link;
  std::vector<std::string> trace;
  std::vector<std::pair<int, int>> notes;
};

}  // namespace corvaline::testing
