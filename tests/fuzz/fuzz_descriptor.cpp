// Report descriptors from any bytes, through the parser, the per-collection
// records a hidraw node gives, and discovery's choice of the mouse's two
// collections: a broken descriptor gives an error and no collections, a
// collection is only ever opened for what it can carry.
//
// Input: one byte choosing the node's identity and access, then the
// descriptor.
#include <cerrno>
#include <memory>
#include <string>
#include <vector>

#include "core/device/discovery.h"
#include "core/device/handshake.h"
#include "fuzz_support.h"
#include "platform/linux/hid_descriptor.h"
#include "platform/linux/hidraw_nodes.h"

using namespace corvaline;

namespace {

// Opens anything; the opened collections never answer.
class SilentDevice final : public HidDevice {
 public:
  bool SetFeature(std::span<const std::uint8_t>) override { return true; }
  bool GetFeature(std::span<std::uint8_t>) override { return false; }
  bool WriteOutput(std::span<const std::uint8_t>) override { return true; }
  HidReadResult ReadInput(std::span<std::uint8_t>, std::size_t& got) override {
    got = 0;
    return HidReadResult::Gone;
  }
  void CancelRead() override {}
};

class ListedBackend final : public HidBackend {
 public:
  std::vector<HidCollectionInfo> collections;
  std::vector<HidCollectionInfo> opened;
  std::vector<HidCollectionInfo> Enumerate() override { return collections; }
  HidOpenResult Open(const HidCollectionInfo& c, HidOpenMode) override {
    opened.push_back(c);
    return Opened(std::make_unique<SilentDevice>());
  }
  bool StartDeviceMonitor() override { return false; }
  int NotificationHandle() const override { return -1; }
  std::vector<HidDeviceChange> TakeDeviceChanges() override { return {}; }
};

class NoSleep final : public Sleeper {
 public:
  void SleepMs(int) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t control = data[0];
  const std::span<const std::uint8_t> descriptor(data + 1, size - 1);

  platform::HidrawNode node;
  node.devnode = "/dev/hidraw" + std::to_string(control & 7);
  node.sysname = "hidraw" + std::to_string(control & 7);
  node.vendorId = (control & 0x40) ? 0x1234 : platform::kMouseVendorId;
  node.productId = platform::kMouseProductId;
  node.layout = platform::ParseHidReportDescriptor(descriptor);
  if (!node.layout.error.empty()) FUZZ_CHECK(node.layout.collections.empty());

  const int denied = (control & 0x80) ? EACCES : 0;
  const std::vector<HidCollectionInfo> infos =
      platform::CollectionsOfNode(node, [denied](const std::string&) { return denied; });
  FUZZ_CHECK(!infos.empty() || node.layout.collections.empty());
  for (const HidCollectionInfo& info : infos) {
    std::string devnode;
    std::size_t index = 0;
    FUZZ_CHECK(platform::SplitCollectionPath(info.path, devnode, index));
    FUZZ_CHECK(devnode == node.devnode && index < std::max<std::size_t>(infos.size(), 1));
    (void)platform::HidInterfaceName(info.vendorId, info.productId, index, infos.size(),
                                     node.sysname);
  }

  ListedBackend backend;
  backend.collections = infos;
  if (control & 0x20) std::reverse(backend.collections.begin(), backend.collections.end());
  NoSleep sleeper;
  DeviceLink link;
  link.backend = &backend;
  link.sleeper = &sleeper;
  const bool found = DeviceDiscovery(link).ready;
  for (const HidCollectionInfo& c : backend.opened) {
    FUZZ_CHECK(c.vendorId == kMouseVendorId && c.productId == kMouseProductId);
    FUZZ_CHECK(c.problem.empty());
  }
  if (found) {
    FUZZ_CHECK(link.featureReportLength >= kMinFeatureReportLength &&
               link.featureReportLength <= kFeatureReportBufferSize);
    FUZZ_CHECK(!Handshake(link));
  }
  CloseDeviceHandles(link);
  return 0;
}
