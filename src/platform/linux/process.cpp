#include "platform/process.h"

#include <poll.h>

namespace corvaline::platform {

std::filesystem::path ExecutablePath() {
  std::error_code ec;
  return std::filesystem::weakly_canonical("/proc/self/exe", ec);
}

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

void UseUtf8Console() {}

void WaitForNotification(int handle, int timeoutMs) {
  if (handle >= 0) {
    pollfd p{handle, POLLIN, 0};
    ::poll(&p, 1, timeoutMs);
  } else {
    ::poll(nullptr, 0, timeoutMs);
  }
}

}  // namespace corvaline::platform
