#include "platform/linux/hidraw_backend.h"

#include <fcntl.h>
#include <libudev.h>
#include <sys/epoll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iterator>
#include <map>

#include "platform/hid.h"
#include "platform/linux/hidraw_device.h"
#include "platform/virtual/sim_client.h"

namespace corvaline::platform {
namespace {

// What a removal needs to name the collections of a node that is already gone.
struct KnownNode {
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  std::size_t collections = 1;
};

class LinuxHidBackend final : public HidBackend {
 public:
  LinuxHidBackend(udev* context, LinuxHidOptions options)
      : udev_(context), options_(std::move(options)) {}
  ~LinuxHidBackend() override {
    if (epoll_ >= 0) ::close(epoll_);
    if (monitor_) udev_monitor_unref(monitor_);
    udev_unref(udev_);
  }

  std::vector<HidCollectionInfo> Enumerate() override;
  HidOpenResult Open(const HidCollectionInfo& collection, HidOpenMode mode) override;
  bool StartDeviceMonitor() override;
  int NotificationHandle() const override { return epoll_; }
  std::vector<HidDeviceChange> TakeDeviceChanges() override;

 private:
  void Remember(const HidrawNode& node) {
    known_[node.sysname] = {node.vendorId, node.productId,
                            std::max<std::size_t>(1, node.layout.collections.size())};
  }
  void AddChanges(HidDeviceChange::Kind kind, const std::string& sysname, const KnownNode& node,
                  std::vector<HidDeviceChange>& out) const {
    for (std::size_t i = 0; i < node.collections; ++i) {
      out.push_back({kind, HidInterfaceName(node.vendorId, node.productId, i, node.collections,
                                            sysname)});
    }
  }
  bool WatchFd(int fd) {
    epoll_event ev{};
    ev.events = EPOLLIN;
    ev.data.fd = fd;
    return ::epoll_ctl(epoll_, EPOLL_CTL_ADD, fd, &ev) == 0;
  }
  void TakeUdevChanges(std::vector<HidDeviceChange>& out);

  udev* udev_;
  LinuxHidOptions options_;
  udev_monitor* monitor_ = nullptr;
  std::unique_ptr<SimDeviceWatcher> simWatcher_;
  int epoll_ = -1;
  std::map<std::string, KnownNode> known_;
};

std::vector<HidCollectionInfo> LinuxHidBackend::Enumerate() {
  std::vector<HidCollectionInfo> out;
  for (const HidrawNode& node : ListHidrawNodes(udev_)) {
    Remember(node);
    auto collections = CollectionsOfNode(node, options_.access);
    std::move(collections.begin(), collections.end(), std::back_inserter(out));
  }
  if (options_.withVirtualMice) {
    auto virtualMice = EnumerateSimCollections();
    std::move(virtualMice.begin(), virtualMice.end(), std::back_inserter(out));
  }
  return out;
}

HidOpenResult LinuxHidBackend::Open(const HidCollectionInfo& collection, HidOpenMode mode) {
  if (IsSimPath(collection.path)) return OpenSimCollection(collection, mode);
  std::string devnode;
  std::size_t index = 0;
  if (!SplitCollectionPath(collection.path, devnode, index)) {
    return HidOpenResult::Failed("Not a HID collection path: " + collection.path);
  }
  // The descriptor is read again: the node number may belong to another
  // device since the list was made.
  HidrawNode node;
  const auto slash = devnode.rfind('/');
  const std::string sysname = slash == std::string::npos ? devnode : devnode.substr(slash + 1);
  const bool found = FindHidrawNode(udev_, sysname, node);
  const bool sameDevice = collection.vendorId == 0 || (node.vendorId == collection.vendorId &&
                                                        node.productId == collection.productId);
  if (!found || !sameDevice) {
    return HidOpenResult::Failed("The HID device " + devnode + " is no longer present.");
  }
  if (!node.layout.error.empty() || index >= node.layout.collections.size()) {
    return HidOpenResult::Failed(
        node.layout.error.empty()
            ? "The HID device " + devnode + " has no collection " + std::to_string(index) + "."
            : "The report descriptor of " + devnode + " is unusable: " + node.layout.error + ".");
  }
  if (const int denied = options_.access ? options_.access(devnode) : 0; denied != 0) {
    return HidOpenResult::Failed(NodeOpenProblem(devnode, denied));
  }
  const int fd = ::open(devnode.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    return HidOpenResult::Failed(NodeOpenProblem(devnode, errno));
  }
  // Only the event collection waits for its reports without end.
  return MakeHidrawDevice(fd, node.layout.collections[index], node.layout.numberedReports,
                          mode == HidOpenMode::Events ? -1 : kCommandReadTimeoutMs);
}

bool LinuxHidBackend::StartDeviceMonitor() {
  if (epoll_ >= 0) return true;
  epoll_ = ::epoll_create1(EPOLL_CLOEXEC);
  if (epoll_ < 0) return false;
  monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
  const bool udevOk = monitor_ &&
                      udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) >= 0 &&
                      udev_monitor_enable_receiving(monitor_) >= 0 &&
                      WatchFd(udev_monitor_get_fd(monitor_));
  if (!udevOk && monitor_) {
    udev_monitor_unref(monitor_);
    monitor_ = nullptr;
  }
  bool simOk = false;
  if (options_.withVirtualMice) {
    simWatcher_ = std::make_unique<SimDeviceWatcher>();
    simOk = simWatcher_->Start() && WatchFd(simWatcher_->fd());
    if (!simOk) simWatcher_.reset();
  }
  if (!udevOk && !simOk) {
    ::close(epoll_);
    epoll_ = -1;
    return false;
  }
  // Removals name the collections of nodes present before the monitor began.
  for (const HidrawNode& node : ListHidrawNodes(udev_)) Remember(node);
  return true;
}

void LinuxHidBackend::TakeUdevChanges(std::vector<HidDeviceChange>& out) {
  if (!monitor_) return;
  while (udev_device* dev = udev_monitor_receive_device(monitor_)) {
    const char* action = udev_device_get_action(dev);
    const char* sysname = udev_device_get_sysname(dev);
    const char* subsystem = udev_device_get_subsystem(dev);
    // The kernel-side filter is a hint, not a promise: check it here too.
    const bool hidraw = subsystem && std::strcmp(subsystem, "hidraw") == 0;
    if (hidraw && action && sysname) {
      const std::string name = sysname;
      if (std::strcmp(action, "add") == 0) {
        HidrawNode node;
        if (DescribeHidrawDevice(dev, node)) {
          Remember(node);
          AddChanges(HidDeviceChange::Kind::Arrival, name, known_[name], out);
        }
      } else if (std::strcmp(action, "remove") == 0) {
        const auto it = known_.find(name);
        AddChanges(HidDeviceChange::Kind::Removal, name,
                   it != known_.end() ? it->second : KnownNode{}, out);
        if (it != known_.end()) known_.erase(it);
      }
    }
    udev_device_unref(dev);
  }
}

std::vector<HidDeviceChange> LinuxHidBackend::TakeDeviceChanges() {
  std::vector<HidDeviceChange> out;
  if (epoll_ < 0) return out;
  TakeUdevChanges(out);
  if (simWatcher_) {
    auto sim = simWatcher_->TakeChanges();
    std::move(sim.begin(), sim.end(), std::back_inserter(out));
  }
  return out;
}

}  // namespace

std::unique_ptr<HidBackend> CreateLinuxHidBackend(const LinuxHidOptions& options) {
  udev* context = udev_new();
  if (!context) return nullptr;
  return std::make_unique<LinuxHidBackend>(context, options);
}

std::unique_ptr<HidBackend> CreateSystemHidBackend() { return CreateLinuxHidBackend(); }

}  // namespace corvaline::platform
