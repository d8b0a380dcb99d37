// Prints how long a whole Apply takes against the in-process virtual mouse,
// next to the pauses the mouse requires (249 ms), once with real pauses and
// once with the pauses skipped (the cost of the transfers alone). The pauses
// are the program's own: the system sleeper with its sharpened timer. The
// time beyond the pauses is split into how much the pauses overran and the
// rest (the transfers and everything else between the pauses).
//
// Usage: corvaline-bench-apply [runs]   (default 10)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "core/device/apply.h"
#include "core/device/discovery.h"
#include "platform/pauses.h"
#include "sim/in_process_backend.h"
#include "sim/virtual_mouse.h"

namespace {

using namespace corvaline;
using Clock = std::chrono::steady_clock;

class PauseCounter final : public Sleeper {
 public:
  explicit PauseCounter(bool sleep) : sleep_(sleep) {}
  void SleepMs(int ms) override {
    requested += ms;
    ++count;
    if (!sleep_) return;
    const auto start = Clock::now();
    platform::SystemSleeper().SleepMs(ms);
    overrun += Clock::now() - start - std::chrono::milliseconds(ms);
  }
  void BeginPauses() override { platform::SystemSleeper().BeginPauses(); }
  void EndPauses() override { platform::SystemSleeper().EndPauses(); }
  int requested = 0;
  int count = 0;
  Clock::duration overrun{};  // how much longer than asked the pauses took

 private:
  bool sleep_;
};

SettingsBlock SampleBlock() {
  SettingsBlock s{};
  s.reportRateCode = 1;
  for (int k = 0; k < kDpiStages; ++k) {
    s.dpiStageIndex[k] = static_cast<std::uint8_t>(k * 2);
    s.dpiStageEnabled[k] = 1;
    s.dpiStageColour[k][0] = 0xFF;
  }
  s.ledEffect = 2;
  s.ledRespirationOption = 2;
  for (int m = 0; m < kMacroBlocks; ++m) s.macroArea[m][0] = static_cast<std::uint8_t>(m);
  return s;
}

struct Figures {
  std::vector<double> wallMs;
  std::vector<double> overrunMs;  // of the pauses, per Apply
  std::vector<double> restMs;     // the transfers and all else between the pauses
  int pausesMs = 0;
  int pauses = 0;
  unsigned transfers = 0;
  unsigned failed = 0;
};

Figures Measure(int runs, bool realPauses) {
  auto mouse = std::make_shared<sim::VirtualMouse>();
  auto backend = sim::CreateInProcessHidBackend(mouse);
  PauseCounter pauses(realPauses);
  DeviceLink link;
  link.backend = backend.get();
  link.sleeper = &pauses;
  link.traceOn = true;
  Figures f;
  link.trace = [&f](std::string_view line) { f.transfers += line.rfind("SLEEP", 0) != 0; };
  if (!ConnectAtStartup(link)) {
    std::fprintf(stderr, "the virtual mouse did not accept the handshake\n");
    std::exit(1);
  }
  const SettingsBlock block = SampleBlock();
  for (int run = 0; run < runs; ++run) {
    pauses.requested = 0;
    pauses.count = 0;
    pauses.overrun = {};
    f.transfers = 0;
    const auto start = Clock::now();
    f.failed += ApplySettings(link, block, {}).failedTransfers;
    f.wallMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    f.overrunMs.push_back(std::chrono::duration<double, std::milli>(pauses.overrun).count());
    f.restMs.push_back(f.wallMs.back() - f.overrunMs.back() - pauses.requested);
    f.pausesMs = pauses.requested;
    f.pauses = pauses.count;
  }
  CloseDeviceHandles(link);
  std::sort(f.wallMs.begin(), f.wallMs.end());
  std::sort(f.overrunMs.begin(), f.overrunMs.end());
  std::sort(f.restMs.begin(), f.restMs.end());
  return f;
}

double Median(const std::vector<double>& v) { return v[v.size() / 2]; }
double Median(const Figures& f) { return Median(f.wallMs); }

void Print(const char* title, const Figures& f) {
  std::printf("%-18s min %8.2f ms  median %8.2f ms  max %8.2f ms\n", title, f.wallMs.front(),
              Median(f), f.wallMs.back());
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  const Figures real = Measure(runs, true);
  const Figures skipped = Measure(runs, false);
  std::printf("Apply against the in-process virtual mouse, %d runs each\n", runs);
  std::printf("transfers per Apply: %u; required pauses: %d ms\n", real.transfers, real.pausesMs);
  Print("with real pauses", real);
  Print("pauses skipped", skipped);
  std::printf("median time beyond the required pauses: %.2f ms (transfers alone %.2f ms)\n",
              Median(real) - real.pausesMs, Median(skipped));
  const double overrun = Median(real.overrunMs);
  std::printf("medians per Apply: the %d pauses overran %.2f ms (%.1f us each), the rest %.2f ms\n",
              real.pauses, overrun, 1000.0 * overrun / std::max(1, real.pauses), Median(real.restMs));
  if (real.failed + skipped.failed != 0)
    std::printf("warning: %u transfers failed\n", real.failed + skipped.failed);
  return 0;
}
