// The hidraw nodes of the system as udev and sysfs describe them, split into
// one record per top-level collection.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/device/hid_port.h"
#include "platform/linux/hid_descriptor.h"

struct udev;
struct udev_device;

namespace corvaline::platform {

inline constexpr std::uint16_t kMouseVendorId = 0x04D9;
inline constexpr std::uint16_t kMouseProductId = 0xA09F;

// Whether the node may be opened for reading and writing: 0 when it may, the
// errno otherwise. Replaceable so tests can deny access even when
// they run with full rights.
using NodeAccessCheck = std::function<int(const std::string& devnode)>;
int NodeAccess(const std::string& devnode);

// What sysfs tells about one hidraw node, without opening it.
struct HidrawNode {
  std::string devnode;  // "/dev/hidraw3"
  std::string sysname;  // "hidraw3"
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  HidDescriptorLayout layout;
};

// Fills `node` from a hidraw udev device and its HID parent; false when the
// device has no HID parent with a readable HID_ID.
bool DescribeHidrawDevice(udev_device* device, HidrawNode& node);
// Every hidraw node with a HID parent, ordered by node number.
std::vector<HidrawNode> ListHidrawNodes(udev* context);
// One node by its sysname; false when it is gone or has no HID parent.
bool FindHidrawNode(udev* context, const std::string& sysname, HidrawNode& node);

// The node's collections as the backend lists them. Paths are
// "<devnode>#<collection index>". A node whose descriptor cannot be read
// still gives one record, with the reason in `problem`.
std::vector<HidCollectionInfo> CollectionsOfNode(const HidrawNode& node,
                                                 const NodeAccessCheck& access);

// A one-line reason why `devnode` cannot be opened (errno `error`), with the
// fix when it is a matter of permission.
std::string NodeOpenProblem(const std::string& devnode, int error);

// Splits "<devnode>#<index>"; false when the path is not of that form.
bool SplitCollectionPath(std::string_view path, std::string& devnode, std::size_t& index);

// The interface name a Windows system would give the collection, so one
// filter works on both systems: "\\?\HID#VID_04D9&PID_A09F&Col02#hidraw3#{...}".
// The collection part is left out for a single-collection node.
std::string HidInterfaceName(std::uint16_t vendorId, std::uint16_t productId,
                             std::size_t collection, std::size_t collectionCount,
                             std::string_view sysname);

// "0003:000004D9:0000A09F" (the HID_ID property) into its two IDs.
bool ParseHidId(std::string_view hidId, std::uint16_t& vendorId, std::uint16_t& productId);

}  // namespace corvaline::platform
