// The mouse's configuration protocol: the 8-byte CommandBlock, its framing in
// feature reports, the keyed scrambling of blocks, the command codes, the
// records the mouse keeps and the event reports it sends. Everything here is a
// wire format shared by the program and the virtual mouse, so it is kept free
// of any transport.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace corvaline {

// ---------------------------------------------------------------------------
// Identity and collections

inline constexpr std::uint16_t kMouseVendorId = 0x04D9;
inline constexpr std::uint16_t kMouseProductId = 0xA09F;

// Vendor feature collection: CommandBlocks in feature reports, plus the
// 32-byte data reports of bulk transfers as input/output reports.
inline constexpr std::uint16_t kCommandUsagePage = 0xFF00;
inline constexpr std::uint16_t kCommandUsage = 0xFF00;
// Vendor input collection: event reports.
inline constexpr std::uint16_t kEventUsagePage = 0xFF01;
inline constexpr std::uint16_t kEventUsage = 0xFF01;

// Buffer sizes of the program's transfers; a collection whose report lengths
// exceed them is not used.
inline constexpr std::size_t kFeatureReportBufferSize = 16;
inline constexpr std::size_t kDataReportBufferSize = 40;
inline constexpr std::size_t kEventReportBufferSize = 40;

// ---------------------------------------------------------------------------
// CommandBlock

inline constexpr std::size_t kCommandBlockSize = 8;
// Byte 0: command code; bit 7 set = a request the mouse answers with a block.
// Bytes 1-6: parameters. Byte 7: checksum, 0xFF minus the sum of bytes 0-6.
using CommandBlock = std::array<std::uint8_t, kCommandBlockSize>;
inline constexpr std::size_t kChecksumIndex = 7;
inline constexpr std::uint8_t kResponseExpected = 0x80;

constexpr std::uint8_t CommandChecksum(const CommandBlock& b) {
  unsigned sum = 0;
  for (std::size_t i = 0; i < kChecksumIndex; ++i) sum += b[i];
  return static_cast<std::uint8_t>(0xFF - (sum & 0xFF));
}

constexpr void SetChecksum(CommandBlock& b) { b[kChecksumIndex] = CommandChecksum(b); }

constexpr bool ExpectsResponse(const CommandBlock& b) { return (b[0] & kResponseExpected) != 0; }

// Builds a block from code and parameters; the checksum is filled in.
constexpr CommandBlock MakeCommand(std::uint8_t code, std::uint8_t p1 = 0, std::uint8_t p2 = 0,
                                   std::uint8_t p3 = 0, std::uint8_t p4 = 0) {
  CommandBlock b{code, p1, p2, p3, p4, 0, 0, 0};
  SetChecksum(b);
  return b;
}

// ---------------------------------------------------------------------------
// Feature-report frame: byte 0 report ID 0, bytes 1-8 the block (scrambled
// once the handshake has switched scrambling on), zeros after.

inline constexpr std::uint8_t kCommandReportId = 0;
inline constexpr std::size_t kFrameBlockOffset = 1;
inline constexpr std::size_t kMinFeatureReportLength = kFrameBlockOffset + kCommandBlockSize;

// Data reports of bulk transfers: report ID 0, then 32 data bytes, never
// scrambled, no checksum.
inline constexpr std::uint8_t kDataReportId = 0;
inline constexpr std::size_t kDataReportPayload = 32;
inline constexpr std::size_t kMinDataReportLength = 1 + kDataReportPayload;
// Largest data of one bulk transfer (four data reports).
inline constexpr std::size_t kBulkDataMax = 128;

// ---------------------------------------------------------------------------
// Scrambling

using ScrambleKey = std::array<std::uint8_t, kCommandBlockSize>;

// The program's fixed key F.
inline constexpr ScrambleKey kFixedKey = {'V', 'u', 'K', 'e', 'M', 'o', 'R', 'a'};

// The HandshakeKey S the handshake installs; bytes 0 and 7 take no part in the
// transform. The firmware holds the same six bytes.
inline constexpr ScrambleKey kHandshakeKey = {0x00, 0x5A, 0x17, 0xC3, 0x8E, 0x24, 0xB9, 0x00};

constexpr std::uint8_t SwapNibbles(std::uint8_t x) {
  return static_cast<std::uint8_t>((x << 4) | (x >> 4));
}

namespace detail {
constexpr void PermuteBlock(CommandBlock& b) {
  auto swap = [&b](std::size_t i, std::size_t j) {
    std::uint8_t t = b[i];
    b[i] = b[j];
    b[j] = t;
  };
  swap(0, 5);
  swap(1, 4);
  swap(2, 7);
  swap(3, 6);
}
constexpr void MixKey(CommandBlock& b, const ScrambleKey& s) {
  for (std::size_t i = 1; i <= 6; ++i) b[i] = static_cast<std::uint8_t>(b[i] ^ s[i]);
}
}  // namespace detail

// In place, before sending: permute, mix with S, rotate the block left by 3
// bits (as one big-endian 64-bit number), add the nibble-swapped fixed key.
constexpr void Scramble(CommandBlock& b, const ScrambleKey& s) {
  detail::PermuteBlock(b);
  detail::MixKey(b, s);
  const CommandBlock old = b;
  for (std::size_t i = 0; i < 8; ++i)
    b[i] = static_cast<std::uint8_t>((old[i] << 3) | (old[(i + 1) % 8] >> 5));
  for (std::size_t i = 0; i < 8; ++i) b[i] = static_cast<std::uint8_t>(b[i] + SwapNibbles(kFixedKey[i]));
}

// In place, after receiving: the exact inverse of Scramble.
constexpr void Unscramble(CommandBlock& b, const ScrambleKey& s) {
  for (std::size_t i = 0; i < 8; ++i) b[i] = static_cast<std::uint8_t>(b[i] - SwapNibbles(kFixedKey[i]));
  const CommandBlock old = b;
  for (std::size_t i = 0; i < 8; ++i)
    b[i] = static_cast<std::uint8_t>((old[i] >> 3) | (old[(i + 7) % 8] << 5));
  detail::MixKey(b, s);
  detail::PermuteBlock(b);
}

// ---------------------------------------------------------------------------
// Command codes

namespace cmd {
inline constexpr std::uint8_t kHandshake = 0x00;
inline constexpr std::uint8_t kSetReportRate = 0x01;   // b1 reportRateCode 1/2/4/8
inline constexpr std::uint8_t kSetSensorInfo = 0x03;   // b1-b4 SensorInfo
inline constexpr std::uint8_t kGetSensorInfo = 0x83;   // answer b1-b4 SensorInfo
inline constexpr std::uint8_t kSetLedTiming = 0x07;    // b1 index 0/1, b2-b4 record
inline constexpr std::uint8_t kGetLedTiming = 0x87;    // b1 index; answer b1 index, b2-b4 record
inline constexpr std::uint8_t kSetEffect = 0x0D;       // b1-b3 EffectRecord
inline constexpr std::uint8_t kGetEffect = 0x8D;       // answer b1-b3 EffectRecord
inline constexpr std::uint8_t kSetColourTable = 0x10;  // b1 table 0/1, b2 length 24; data
inline constexpr std::uint8_t kGetColourTable = 0x90;  // b1 table; answer b1 table, b2 length; data
inline constexpr std::uint8_t kSetDpiStages = 0x11;    // b1 stage count 4, b2 length 8; data
inline constexpr std::uint8_t kSetKeyMatrix = 0x12;    // b1 matrix 1..4, b2 length 64; data
inline constexpr std::uint8_t kSetMacro = 0x13;        // b1 macro 1..12, b2 length 128; data
inline constexpr std::uint8_t kGetMacro = 0x93;        // b1 macro; answer b1 macro, b2 length; data
}  // namespace cmd

// In a bulk header, byte 1 names the table/macro and byte 2 the data length.
inline constexpr std::size_t kBulkIndexByte = 1;
inline constexpr std::size_t kBulkLengthByte = 2;

// Handshake request 00 AA DD 3B 62 00 00 DB: a mouse that speaks the scrambled
// protocol answers with the magic bytes in bytes 1-4 of a scrambled block.
inline constexpr std::array<std::uint8_t, 4> kHandshakeMagic = {0xAA, 0xDD, 0x3B, 0x62};
inline constexpr CommandBlock kHandshakeRequest =
    MakeCommand(cmd::kHandshake, 0xAA, 0xDD, 0x3B, 0x62);
static_assert(kHandshakeRequest[kChecksumIndex] == 0xDB);

// Pauses, in milliseconds.
inline constexpr int kHandshakeWaitMs = 5;    // between handshake request and reply
inline constexpr int kDataReportPauseMs = 3;  // after every data report written
inline constexpr int kRequestPauseMs = 2;     // after each request of a multi-request operation

// ---------------------------------------------------------------------------
// Device records, byte order as on the wire

struct SensorInfo {
  std::uint8_t sensorType;  // selects the DPI code table, 0..3
  std::uint8_t rate;        // the firmware's; passed back unchanged
  std::uint8_t option1;     // the firmware's; passed back unchanged
  std::uint8_t option2;     // the firmware's; bit 6 is set by the program after plug-in
};
static_assert(sizeof(SensorInfo) == 4);
static_assert(offsetof(SensorInfo, option2) == 3);
inline constexpr std::uint8_t kSensorOption2HostBit = 0x40;

struct EffectRecord {
  std::uint8_t effect;   // 0 off, 1 standard, 2 respiration, 3 neon
  std::uint8_t option1;  // brightness + 1 / speed + 1 / period + 1
  std::uint8_t option2;  // 2 or 3 for standard and respiration; neon keeps the mouse's
};
static_assert(sizeof(EffectRecord) == 3);

struct LedTimingRecord {
  std::uint8_t mode;        // 1 steady, 2 and 3 timed patterns
  std::uint8_t parameter1;  // pattern timing, the firmware's unit
  std::uint8_t parameter2;  // pattern timing, the firmware's unit
};
static_assert(sizeof(LedTimingRecord) == 3);

inline constexpr std::size_t kColourTableSize = 24;
// Table 1 begins with the four DPI stage colours (R, G, B each); the rest and
// all of table 0 belong to the firmware.
using LedColourTable = std::array<std::uint8_t, kColourTableSize>;

inline constexpr std::size_t kDpiTableSize = 8;
inline constexpr std::uint8_t kDpiStageCount = 4;
inline constexpr std::uint8_t kDpiStageOff = 0x80;  // bit 7: stage switched off; low 7 bits: DPI code
using DpiTable = std::array<std::uint8_t, kDpiTableSize>;

// Sixteen 32-bit ButtonAction words, each little-endian on the wire.
inline constexpr std::size_t kKeyMatrixBytes = 64;
inline constexpr std::uint8_t kKeyMatrixCount = 4;

inline constexpr std::uint8_t kMacroCount = 12;
inline constexpr std::size_t kMacroSize = 128;
// The twelve MacroBlocks as last sent or read back.
struct MacroStaging {
  std::uint8_t blocks[kMacroCount][kMacroSize];
};
static_assert(sizeof(MacroStaging) == 1536);

// ---------------------------------------------------------------------------
// Event reports on the input collection

inline constexpr std::uint8_t kEventReportId = 6;
struct EventReportHead {
  std::uint8_t reportId;  // 6 for events
  std::uint8_t code;      // one of the event codes below
  std::uint8_t unused;
  std::uint8_t value;     // the new setting on the mouse
};
static_assert(sizeof(EventReportHead) == 4);
static_assert(offsetof(EventReportHead, code) == 1);
static_assert(offsetof(EventReportHead, value) == 3);

// Codes of the device notifications the link hands to its listener. 5, 7, 8
// and 9 are the event codes of the mouse's reports.
inline constexpr int kEventReportRate = 5;  // value: reportRateCode 1/2/4/8
inline constexpr int kEventDpiStage = 7;    // value: stage 1..4
inline constexpr int kEventKeyGroup = 8;    // value: 1 Mode A, 2 Mode B
inline constexpr int kEventMacroKey = 9;    // value: macro number
inline constexpr int kNotifyMouseReady = 14;
inline constexpr int kNotifyMouseNotUsable = 15;

constexpr bool IsForwardedEvent(std::uint8_t code) {
  return code == kEventReportRate || code == kEventDpiStage || code == kEventKeyGroup ||
         code == kEventMacroKey;
}

}  // namespace corvaline
