// record.ini from any bytes into the MacroArea: never a byte written outside
// the twelve blocks, never a block past the twelfth, every loop count kept
// (or cleared with its macro), the macro list and item reads well-formed.
//
// Input: one shape byte (0: the bytes as they are, 1: 8-bit text widened to
// UTF-16 with its mark, as the program writes the file), then the file.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>

#include "core/macros/macro_encoder.h"
#include "core/macros/record_store.h"
#include "core/settings/ini_file.h"
#include "core/settings/text_codec.h"
#include "fuzz_support.h"

using namespace corvaline;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string raw(reinterpret_cast<const char*>(data + 1), size - 1);
  std::string file;
  if (data[0] & 1) {
    file = "\xFF\xFE";
    for (char c : raw) {
      file += c;
      file += '\0';
    }
  } else {
    file = raw;
  }
  const std::filesystem::path record = fuzz::ScratchDir() / "record.ini";
  fuzz::WriteFile(record, file);

  SettingsBlock block;
  auto* bytes = reinterpret_cast<std::uint8_t*>(&block);
  for (std::size_t i = 0; i < sizeof block; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
  const SettingsBlock before = block;
  const auto report = EncodeMacroArea(record, block);
  FUZZ_CHECK(report);

  const std::vector<std::string> sections = IniSectionNames(record);
  const int used = static_cast<int>(std::min<std::size_t>(sections.size(), kMaxMacros));
  FUZZ_CHECK(report->macrosEncoded == used);
  FUZZ_CHECK(report->sectionsIgnored == static_cast<int>(sections.size()) - used);
  const std::size_t areaStart = offsetof(SettingsBlock, macroArea);
  const std::size_t areaEnd = areaStart + sizeof block.macroArea;
  FUZZ_CHECK(std::memcmp(bytes, &before, areaStart) == 0);
  FUZZ_CHECK(std::memcmp(bytes + areaEnd, reinterpret_cast<const std::uint8_t*>(&before) + areaEnd,
                         sizeof block - areaEnd) == 0);
  for (int k = 0; k < kMaxMacros; ++k) {
    const bool cleared = MacroLoopCount(block, k) == 0 &&
                         std::all_of(std::begin(block.macroArea[k]), std::end(block.macroArea[k]),
                                     [](std::uint8_t b) { return b == 0; });
    if (k >= used) {
      FUZZ_CHECK(std::memcmp(block.macroArea[k], before.macroArea[k], kMacroBlockSize) == 0);
    } else {
      FUZZ_CHECK(cleared || MacroLoopCount(block, k) == MacroLoopCount(before, k));
    }
  }

  const std::vector<std::string> names = ListMacroNames(record);
  FUZZ_CHECK(names.size() == static_cast<std::size_t>(used));
  for (const std::string& name : names) {
    const int count = ReadMacroItemCount(record, name);
    FUZZ_CHECK(count >= 0);
    const std::vector<std::string> items = ReadMacroItems(record, name);
    FUZZ_CHECK(items.size() <= static_cast<std::size_t>(count));
    for (const std::string& item : items) FUZZ_CHECK(IsValidUtf8(item));
  }
  return 0;
}
