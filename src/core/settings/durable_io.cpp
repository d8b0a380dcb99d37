#include "core/settings/durable_io.h"

#include <atomic>

namespace corvaline {
namespace {

std::atomic<const DurableIo*>& Installed() {
  static std::atomic<const DurableIo*> io{nullptr};
  return io;
}

}  // namespace

void InstallDurableIo(const DurableIo* io) { Installed().store(io); }
const DurableIo* InstalledDurableIo() { return Installed().load(); }

}  // namespace corvaline
