// Reading a HID report descriptor: which top-level collections a hidraw node
// carries, and how long their reports are. Pure bytes in, records out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace corvaline::platform {

// One top-level collection of a report descriptor. Lengths are counted the
// way HidP_GetCaps counts them, so both backends report the same numbers:
// the longest report of each kind in bytes plus one byte for the report ID,
// that byte counted even when the descriptor numbers no reports; 0 when the
// collection has no report of that kind.
struct HidTopCollection {
  std::uint16_t usagePage = 0;
  std::uint16_t usage = 0;
  std::uint16_t inputReportLength = 0;
  std::uint16_t outputReportLength = 0;
  std::uint16_t featureReportLength = 0;
  // The IDs of this collection's input reports (0 when reports are unnumbered).
  std::vector<std::uint8_t> inputReportIds;
};

struct HidDescriptorLayout {
  std::vector<HidTopCollection> collections;
  // True when any Report ID item appears: reports then start with their ID on
  // the wire, otherwise hidraw hands out the bare data.
  bool numberedReports = false;
  // Empty when the descriptor was read to its end without a fault.
  std::string error;
};

// Never reads outside `descriptor`. A malformed descriptor gives an error
// and no collections.
HidDescriptorLayout ParseHidReportDescriptor(std::span<const std::uint8_t> descriptor);

}  // namespace corvaline::platform
