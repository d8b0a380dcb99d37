// The device form of the macros: twelve 128-byte MacroBlocks inside the
// SettingsBlock, encoded from the text form kept in record.ini.
//
// MacroBlock layout (the mouse reads it byte for byte):
//   bytes 0-1    loop count, big-endian (byte 0 = high byte)
//   bytes 2-127  event area: 2-byte event records, then zero bytes
// Short event record (delay after the event <= 1270 ms):
//   byte 0  bit 7 = release, bits 0-6 = delay / 10 (10 ms units)
//   byte 1  key code (HID keyboard usage, 0xF0..0xF2 for the mouse buttons)
// Long event record (delay > 1270 ms), two records:
//   byte 0  bit 7 = release, bits 0-6 = delay % 100 (milliseconds)
//   byte 1  key code
//   byte 2  delay / 100 (hundreds of milliseconds)
//   byte 3  marker 3: tells the mouse that bytes 0 and 2 form a long delay
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/outcome.h"
#include "core/settings/settings_block.h"

namespace corvaline {

// Item texts: "<key name>   Dn", "<key name>   Up", "<n> ms".
inline constexpr std::string_view kPressMarker = "   Dn";
inline constexpr std::string_view kReleaseMarker = "   Up";
inline constexpr std::string_view kDelaySuffix = " ms";

inline constexpr int kMaxMacros = kMacroBlocks;       // the mouse holds twelve
inline constexpr std::size_t kMacroNameMax = 31;      // characters, not bytes
inline constexpr int kShortDelayMaxMs = 1270;         // 127 steps of 10 ms
inline constexpr std::size_t kEventAreaOffset = 2;    // after the loop count
inline constexpr std::size_t kEventAreaSize = kMacroBlockSize - kEventAreaOffset;
inline constexpr std::uint8_t kReleaseFlag = 0x80;
inline constexpr std::uint8_t kLongDelayMarker = 3;

using MacroBlockBytes = std::uint8_t[kMacroBlockSize];

// Longest delay the long form can carry: 255 hundreds plus 99 ms. Longer
// delays (possible only in a hand-edited file) are cut to it rather than
// wrapping around to a short pause.
inline constexpr int kLongDelayMaxMs = 255 * 100 + 99;

// Outcome of encoding one macro.
struct BlockEncodeResult {
  int eventsEncoded = 0;
  bool truncated = false;  // events were left out: the 126-byte area was full
};

// Encodes one macro's items into block. An empty item list zeroes the whole
// block (loop count included); otherwise the loop count is kept and the
// event area rewritten. Never writes past the block: encoding stops at the
// last record that fits whole. Key names are looked up with KeyNameToCode.
BlockEncodeResult EncodeMacroBlock(const std::vector<std::string>& items,
                                   MacroBlockBytes& block);

// What EncodeMacroArea did, for callers that want to tell the user.
struct MacroAreaReport {
  int macrosEncoded = 0;
  int sectionsIgnored = 0;                  // sections after the twelfth
  std::vector<std::string> truncatedMacros; // names whose events did not all fit
};

// Re-encodes every macro of recordIni into settings.macroArea, block k from
// the k-th section, keeping each block's loop count. Sections beyond the
// twelfth are not encoded; blocks beyond the last section keep their bytes.
// Fails (and leaves the area alone) when recordIni does not exist.
Result<MacroAreaReport> EncodeMacroArea(const std::filesystem::path& recordIni, SettingsBlock& settings);

// Loop count of block index (big-endian bytes 0-1); 0 for an index out of range.
int MacroLoopCount(const SettingsBlock& settings, int index);
// Stores a loop count 0..65535 into block index; out-of-range indices are ignored.
void SetMacroLoopCount(SettingsBlock& settings, int index, int loops);

}  // namespace corvaline
