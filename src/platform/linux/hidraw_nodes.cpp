#include "platform/linux/hidraw_nodes.h"

#include "core/device/protocol.h"

#include <fcntl.h>
#include <grp.h>
#include <libudev.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>

namespace corvaline::platform {
namespace {

// The kernel caps report descriptors at 4 KiB; a little headroom costs nothing.
constexpr std::size_t kMaxDescriptorBytes = 8192;

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bytes.assign(kMaxDescriptorBytes, 0);
  std::size_t used = 0;
  while (used < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    used += static_cast<std::size_t>(n);
  }
  ::close(fd);
  bytes.resize(used);
  return true;
}

unsigned NodeNumber(const std::string& sysname) {
  unsigned number = 0;
  const auto digits = sysname.find_first_of("0123456789");
  if (digits != std::string::npos) {
    std::from_chars(sysname.data() + digits, sysname.data() + sysname.size(), number);
  }
  return number;
}

}  // namespace

bool DescribeHidrawDevice(udev_device* raw, HidrawNode& node) {
  const char* sysname = udev_device_get_sysname(raw);
  if (!sysname) return false;
  node.sysname = sysname;
  const char* devnode = udev_device_get_devnode(raw);
  node.devnode = devnode ? devnode : "/dev/" + node.sysname;
  // The parent belongs to the hidraw device; it must not be unreferenced.
  udev_device* hid = udev_device_get_parent_with_subsystem_devtype(raw, "hid", nullptr);
  if (!hid) return false;
  const char* hidId = udev_device_get_property_value(hid, "HID_ID");
  if (!hidId || !ParseHidId(hidId, node.vendorId, node.productId)) return false;
  std::vector<std::uint8_t> descriptor;
  const char* hidPath = udev_device_get_syspath(hid);
  if (!hidPath || !ReadWholeFile(std::string(hidPath) + "/report_descriptor", descriptor)) {
    node.layout.error = "the report descriptor cannot be read";
  } else {
    node.layout = ParseHidReportDescriptor(descriptor);
  }
  return true;
}

namespace {

std::string GroupOfNode(const std::string& devnode) {
  struct stat st {};
  if (::stat(devnode.c_str(), &st) != 0) return {};
  const group* g = ::getgrgid(st.st_gid);
  return g ? g->gr_name : std::to_string(st.st_gid);
}

}  // namespace

std::string NodeOpenProblem(const std::string& devnode, int error) {
  if (error == EACCES || error == EPERM) {
    std::string text = "No permission to open " + devnode +
                       ": install the udev rule 70-corvaline.rules (for example into "
                       "/etc/udev/rules.d), then unplug and replug the mouse";
    const std::string group = GroupOfNode(devnode);
    if (!group.empty() && group != "root") text += ", or join the group \"" + group + "\"";
    return text + ".";
  }
  return "Cannot open " + devnode + ": " + std::strerror(error) + ".";
}

int NodeAccess(const std::string& devnode) {
  return ::access(devnode.c_str(), R_OK | W_OK) == 0 ? 0 : errno;
}

bool ParseHidId(std::string_view hidId, std::uint16_t& vendorId, std::uint16_t& productId) {
  // bus:vendor:product, each in hex; vendor and product are 32-bit fields.
  const auto first = hidId.find(':');
  const auto second = first == std::string_view::npos ? first : hidId.find(':', first + 1);
  if (second == std::string_view::npos) return false;
  std::uint32_t vendor = 0, product = 0;
  const char* vBegin = hidId.data() + first + 1;
  const char* vEnd = hidId.data() + second;
  const char* pBegin = hidId.data() + second + 1;
  const char* pEnd = hidId.data() + hidId.size();
  const auto v = std::from_chars(vBegin, vEnd, vendor, 16);
  const auto p = std::from_chars(pBegin, pEnd, product, 16);
  if (v.ec != std::errc() || v.ptr != vEnd || p.ec != std::errc() || p.ptr != pEnd) return false;
  if (vendor > 0xFFFF || product > 0xFFFF) return false;
  vendorId = static_cast<std::uint16_t>(vendor);
  productId = static_cast<std::uint16_t>(product);
  return true;
}

std::vector<HidrawNode> ListHidrawNodes(udev* context) {
  std::vector<HidrawNode> nodes;
  udev_enumerate* en = udev_enumerate_new(context);
  if (!en) return nodes;
  udev_enumerate_add_match_subsystem(en, "hidraw");
  udev_enumerate_scan_devices(en);
  udev_list_entry* entry = nullptr;
  udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(en)) {
    udev_device* raw = udev_device_new_from_syspath(context, udev_list_entry_get_name(entry));
    if (!raw) continue;
    HidrawNode node;
    if (DescribeHidrawDevice(raw, node)) nodes.push_back(std::move(node));
    udev_device_unref(raw);
  }
  udev_enumerate_unref(en);
  std::sort(nodes.begin(), nodes.end(), [](const HidrawNode& a, const HidrawNode& b) {
    return NodeNumber(a.sysname) < NodeNumber(b.sysname);
  });
  return nodes;
}

bool FindHidrawNode(udev* context, const std::string& sysname, HidrawNode& node) {
  udev_device* raw = udev_device_new_from_subsystem_sysname(context, "hidraw", sysname.c_str());
  if (!raw) return false;
  const bool found = DescribeHidrawDevice(raw, node);
  udev_device_unref(raw);
  return found;
}

std::vector<HidCollectionInfo> CollectionsOfNode(const HidrawNode& node,
                                                 const NodeAccessCheck& access) {
  std::string problem;
  if (node.vendorId == kMouseVendorId && node.productId == kMouseProductId) {
    // Only the mouse is worth a word to the user; other devices are not ours.
    if (const int error = access ? access(node.devnode) : 0; error != 0) {
      problem = NodeOpenProblem(node.devnode, error);
    }
  }
  std::vector<HidCollectionInfo> out;
  if (!node.layout.error.empty()) {
    HidCollectionInfo info;
    info.path = node.devnode + "#0";
    info.vendorId = node.vendorId;
    info.productId = node.productId;
    info.problem = problem.empty() ? "The report descriptor of " + node.devnode +
                                         " is unusable: " + node.layout.error + "."
                                   : problem;
    out.push_back(std::move(info));
    return out;
  }
  for (std::size_t i = 0; i < node.layout.collections.size(); ++i) {
    const HidTopCollection& c = node.layout.collections[i];
    // Once any report of a descriptor is numbered the kernel takes the first
    // byte of every input report for its ID, so the command collection's
    // plain data reports would never arrive and every bulk read would wait in
    // vain. Said here rather than found out by a silent timeout.
    if (problem.empty() && node.vendorId == kMouseVendorId && node.productId == kMouseProductId &&
        node.layout.numberedReports && c.usagePage == corvaline::kCommandUsagePage &&
        c.usage == corvaline::kCommandUsage &&
        std::find(c.inputReportIds.begin(), c.inputReportIds.end(), 0) != c.inputReportIds.end()) {
      problem = "The report descriptor of " + node.devnode +
                " mixes numbered reports with the plain data reports of the mouse's command"
                " collection; the system drops those data reports, so the mouse cannot be"
                " configured through this node.";
    }
    HidCollectionInfo info;
    info.path = node.devnode + "#" + std::to_string(i);
    info.vendorId = node.vendorId;
    info.productId = node.productId;
    info.usagePage = c.usagePage;
    info.usage = c.usage;
    info.inputReportLength = c.inputReportLength;
    info.outputReportLength = c.outputReportLength;
    info.featureReportLength = c.featureReportLength;
    info.problem = problem;
    out.push_back(std::move(info));
  }
  return out;
}

bool SplitCollectionPath(std::string_view path, std::string& devnode, std::size_t& index) {
  const auto hash = path.rfind('#');
  if (hash == std::string_view::npos || hash == 0 || hash + 1 == path.size()) return false;
  const char* begin = path.data() + hash + 1;
  const char* end = path.data() + path.size();
  const auto r = std::from_chars(begin, end, index);
  if (r.ec != std::errc() || r.ptr != end) return false;
  devnode.assign(path.substr(0, hash));
  return true;
}

std::string HidInterfaceName(std::uint16_t vendorId, std::uint16_t productId,
                             std::size_t collection, std::size_t collectionCount,
                             std::string_view sysname) {
  char ids[64];
  std::snprintf(ids, sizeof ids, "VID_%04X&PID_%04X", vendorId, productId);
  std::string name = "\\\\?\\HID#";
  name += ids;
  if (collectionCount > 1) {
    char col[16];
    std::snprintf(col, sizeof col, "&Col%02zu", collection + 1);
    name += col;
  }
  name += '#';
  name += sysname;
  // GUID_DEVINTERFACE_HID, the class every HID interface name ends with.
  name += "#{4d1e55b2-f16f-11cf-88cb-001111000030}";
  return name;
}

}  // namespace corvaline::platform
