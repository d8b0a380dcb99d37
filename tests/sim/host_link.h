// A minimal host side for talking to the virtual mouse in tests: frames
// CommandBlocks in feature reports and moves bulk data, nothing more.
#pragma once

#include <algorithm>
#include <optional>
#include <vector>

#include "core/device/hid_port.h"
#include "core/device/protocol.h"
#include "sim/virtual_mouse.h"

namespace corvaline::sim::testing {

struct HostLink {
  HidDevice& device;
  bool scrambled = true;
  ScrambleKey key = kHandshakeKey;

  bool Put(CommandBlock b) {
    SetChecksum(b);
    if (scrambled) Scramble(b, key);
    std::vector<std::uint8_t> frame(kFeatureReportLength, 0);
    std::copy(b.begin(), b.end(), frame.begin() + kFrameBlockOffset);
    return device.SetFeature(frame);
  }

  std::optional<CommandBlock> Get() {
    std::vector<std::uint8_t> frame(kFeatureReportLength, 0);
    if (!device.GetFeature(frame)) return std::nullopt;
    CommandBlock b;
    std::copy_n(frame.begin() + kFrameBlockOffset, kCommandBlockSize, b.begin());
    if (scrambled) Unscramble(b, key);
    return b;
  }

  // Short transfer: the answer when the command asks for one.
  std::optional<CommandBlock> Command(CommandBlock b) {
    if (!Put(b)) return std::nullopt;
    if (!ExpectsResponse(b)) return b;
    return Get();
  }

  bool WriteData(std::span<const std::uint8_t> data) {
    for (std::size_t at = 0; at < data.size(); at += kDataReportPayload) {
      std::vector<std::uint8_t> report(kDataReportLength, 0);
      std::copy_n(data.begin() + at, std::min(kDataReportPayload, data.size() - at), report.begin() + 1);
      if (!device.WriteOutput(report)) return false;
    }
    return true;
  }

  // Reads `reports` data reports and returns their payloads back to back.
  std::vector<std::uint8_t> ReadData(std::size_t reports) {
    std::vector<std::uint8_t> data;
    for (std::size_t i = 0; i < reports; ++i) {
      std::vector<std::uint8_t> report(kDataReportLength, 0);
      std::size_t got = 0;
      if (device.ReadInput(report, got) != HidReadResult::Ok) break;
      data.insert(data.end(), report.begin() + 1, report.begin() + static_cast<std::ptrdiff_t>(got));
    }
    return data;
  }

  // The handshake expects an answer although its code lacks bit 7.
  bool Handshake() {
    if (!Put(kHandshakeRequest)) return false;
    auto reply = Get();
    return reply && std::equal(kHandshakeMagic.begin(), kHandshakeMagic.end(), reply->begin() + 1);
  }
};

}  // namespace corvaline::sim::testing
