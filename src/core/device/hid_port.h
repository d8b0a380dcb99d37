// What the device link needs from the system's HID stack. The core speaks only
// to these interfaces; the platform layer (hidraw + udev, SetupAPI + HID, the
// virtual mouse) implements them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/outcome.h"

namespace corvaline {

// One HID top-level collection as the system lists it. Report lengths are
// counted as Windows counts them: the longest report of each kind plus the
// report-ID byte (0 when the collection has no report of that kind).
struct HidCollectionInfo {
  std::string path;             // opens exactly this collection; unique per collection
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  std::uint16_t usagePage = 0;
  std::uint16_t usage = 0;
  std::uint16_t inputReportLength = 0;
  std::uint16_t outputReportLength = 0;
  std::uint16_t featureReportLength = 0;
  // Non-empty when the node exists but could not be examined (for example no
  // permission): a one-line reason with the fix, for the user.
  std::string problem;
};

enum class HidReadResult { Ok, Cancelled, Gone, Error };

// One opened collection. Reports always begin with their report-ID byte.
class HidDevice {
 public:
  virtual ~HidDevice() = default;
  virtual bool SetFeature(std::span<const std::uint8_t> report) = 0;
  // report[0] holds the report ID to ask for; the rest is filled in.
  virtual bool GetFeature(std::span<std::uint8_t> report) = 0;
  virtual bool WriteOutput(std::span<const std::uint8_t> report) = 0;
  // Blocks until an input report arrives, the device goes away or CancelRead()
  // is called from another thread. `got` is the number of bytes stored.
  virtual HidReadResult ReadInput(std::span<std::uint8_t> buffer, std::size_t& got) = 0;
  virtual void CancelRead() = 0;
};

enum class HidOpenMode { Query, Commands, Events };

// A device-interface arrival or removal. interfaceName follows the Windows
// form so the same filter applies everywhere: for the mouse it contains
// "VID_04D9&PID_A09F" (for example "\\?\HID#VID_04D9&PID_A09F#hidraw3").
struct HidDeviceChange {
  enum class Kind { Arrival, Removal } kind = Kind::Arrival;
  std::string interfaceName;
};

// An opened collection, or why it could not be opened.
using HidOpenResult = Result<std::unique_ptr<HidDevice>>;
inline HidOpenResult Opened(std::unique_ptr<HidDevice> device) { return device; }

class HidBackend {
 public:
  virtual ~HidBackend() = default;
  // Every present collection, in a stable order.
  virtual std::vector<HidCollectionInfo> Enumerate() = 0;
  // The opened collection, or one line saying why it cannot be opened.
  virtual HidOpenResult Open(const HidCollectionInfo& collection, HidOpenMode mode) = 0;
  // Device-change notifications without a thread of their own: the owner
  // polls NotificationHandle() (a file descriptor where the system has one,
  // -1 otherwise, then call TakeDeviceChanges() on a timer) and collects the
  // pending changes. Returns false when monitoring cannot be set up.
  virtual bool StartDeviceMonitor() = 0;
  virtual int NotificationHandle() const = 0;
  virtual std::vector<HidDeviceChange> TakeDeviceChanges() = 0;
};

}  // namespace corvaline
