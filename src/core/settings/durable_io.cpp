#include "core/settings/durable_io.h"

#include <atomic>
#include <system_error>

namespace corvaline {
namespace {

std::atomic<const DurableIo*>& Installed() {
  static std::atomic<const DurableIo*> io{nullptr};
  return io;
}

}  // namespace

Outcome IoFailure(int code) {
  if (code == kLockNotAFile) return Outcome::Error(code, "it is not a regular file");
  if (code == kLockHeld) return Outcome::Error(code, "another program holds it");
  return Outcome::Error(code, std::system_category().message(code));
}

void InstallDurableIo(const DurableIo* io) { Installed().store(io); }
const DurableIo* InstalledDurableIo() { return Installed().load(); }

}  // namespace corvaline
