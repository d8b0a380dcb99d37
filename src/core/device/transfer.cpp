#include "core/device/transfer.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace corvaline {

namespace {

// Report buffers are zeroed and sized to the program's limits; the lengths
// used with them are checked against those limits when the collection is
// opened, and clamped again here so a stray length can never overrun.
std::size_t Clamp(std::uint16_t length, std::size_t limit) {
  return std::min<std::size_t>(length, limit);
}

void TraceTransfer(DeviceLink& link, const char* tag, const CommandBlock* plain,
                   std::span<const std::uint8_t> report, bool ok) {
  if (!link.traceOn || !link.trace) return;
  std::string line = tag;
  if (plain) line += ' ' + HexBytes(*plain);
  line += ' ' + HexBytes(report);
  if (!ok) line += " failed";
  Trace(link, line);
}

bool Failed(DeviceLink& link) {
  ++link.failedTransfers;
  return false;
}

}  // namespace

std::string HexBytes(std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  text.reserve(bytes.size() * 2);
  for (std::uint8_t b : bytes) {
    text += kDigits[b >> 4];
    text += kDigits[b & 0x0F];
  }
  return text;
}

bool WriteCommandBlock(DeviceLink& link, CommandBlock& block) {
  SetChecksum(block);
  std::array<std::uint8_t, kFeatureReportBufferSize> report{};
  const std::size_t length = Clamp(link.featureReportLength, report.size());
  CommandBlock wire = block;
  if (link.scramblingOn) Scramble(wire, link.handshakeKey);
  report[0] = kCommandReportId;
  std::copy(wire.begin(), wire.end(), report.begin() + kFrameBlockOffset);
  const std::span<const std::uint8_t> sent(report.data(), length);
  bool ok = link.commandHandle && length >= kMinFeatureReportLength &&
            link.commandHandle->SetFeature(sent);
  TraceTransfer(link, "FO", &block, sent, ok);
  return ok || Failed(link);
}

bool ReadCommandBlock(DeviceLink& link, CommandBlock& block) {
  std::array<std::uint8_t, kFeatureReportBufferSize> report{};
  const std::size_t length = Clamp(link.featureReportLength, report.size());
  report[0] = kCommandReportId;
  const std::span<std::uint8_t> frame(report.data(), length);
  bool ok = link.commandHandle && length >= kMinFeatureReportLength &&
            link.commandHandle->GetFeature(frame);
  if (!ok) report.fill(0);  // a failed read hands back the zeroed frame
  std::copy_n(report.begin() + kFrameBlockOffset, kCommandBlockSize, block.begin());
  if (link.scramblingOn) Unscramble(block, link.handshakeKey);
  TraceTransfer(link, "FI", &block, frame, ok);
  return ok || Failed(link);
}

bool ShortTransfer(DeviceLink& link, CommandBlock& block) {
  const bool request = ExpectsResponse(block);
  bool ok = WriteCommandBlock(link, block);
  if (!request) return ok;
  // A damaged answer must not reach a record: some records go back to the
  // mouse as they were read (the sensor information with one bit set), and a
  // spoilt one would stay in its memory.
  if (!ReadCommandBlock(link, block)) return false;
  if (block[kChecksumIndex] != CommandChecksum(block)) return Failed(link);
  return ok;
}

namespace {

bool WriteDataReports(DeviceLink& link, const BulkData& data, std::size_t reports) {
  bool ok = true;
  for (std::size_t k = 0; k < reports; ++k) {
    std::array<std::uint8_t, kDataReportBufferSize> report{};
    report[0] = kDataReportId;
    std::copy_n(data.begin() + k * kDataReportPayload, kDataReportPayload, report.begin() + 1);
    const std::span<const std::uint8_t> sent(report.data(),
                                             Clamp(link.outputReportLength, report.size()));
    const bool written = link.commandHandle && !sent.empty() && link.commandHandle->WriteOutput(sent);
    TraceTransfer(link, "OUT", nullptr, sent, written);
    if (!written) ok = Failed(link);
    Pause(link, kDataReportPauseMs);
  }
  return ok;
}

bool ReadDataReports(DeviceLink& link, BulkData& data, std::size_t reports) {
  bool ok = true;
  for (std::size_t k = 0; k < reports; ++k) {
    std::array<std::uint8_t, kDataReportBufferSize> report{};
    const std::span<std::uint8_t> buffer(report.data(),
                                         Clamp(link.inputReportLength, report.size()));
    std::size_t got = 0;
    const bool read = link.commandHandle && !buffer.empty() &&
                      link.commandHandle->ReadInput(buffer, got) == HidReadResult::Ok;
    got = std::min(got, buffer.size());
    TraceTransfer(link, "IN", nullptr, buffer.first(read ? got : buffer.size()), read);
    if (!read) ok = Failed(link);
    // Beyond the fourth report there is no room: the report is read only to
    // keep the exchange in step, and its data is dropped.
    if (k * kDataReportPayload < data.size())
      std::copy_n(report.begin() + 1, kDataReportPayload, data.begin() + k * kDataReportPayload);
  }
  return ok;
}

}  // namespace

bool BulkTransfer(DeviceLink& link, CommandBlock& header, BulkData& data) {
  const bool read = ExpectsResponse(header);
  bool ok = ShortTransfer(link, header);
  const std::size_t length = header[kBulkLengthByte];
  const std::size_t reports = (length + kDataReportPayload - 1) / kDataReportPayload;
  if (!read) return WriteDataReports(link, data, std::min(reports, data.size() / kDataReportPayload)) && ok;
  ok = ReadDataReports(link, data, reports) && ok;
  if (length > kBulkDataMax) ok = Failed(link);
  return ok;
}

}  // namespace corvaline
