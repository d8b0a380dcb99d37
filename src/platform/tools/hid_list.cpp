// corvaline-hid-list: the HID collections the system backend sees, one per
// line. A small diagnostic for systems where only the platform layer is
// built, and a link check of the backend against the system libraries.
#include <cstdio>

#include "platform/hid.h"

int main() {
  auto backend = corvaline::platform::CreateSystemHidBackend();
  for (const corvaline::HidCollectionInfo& c : backend->Enumerate()) {
    std::printf("%04x:%04x usage %04x/%04x in %u out %u feature %u %s%s%s\n", c.vendorId,
                c.productId, c.usagePage, c.usage, c.inputReportLength, c.outputReportLength,
                c.featureReportLength, c.path.c_str(), c.problem.empty() ? "" : " -- ",
                c.problem.c_str());
  }
  return 0;
}
