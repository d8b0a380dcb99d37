#include "core/macros/macro_encoder.h"

#include <algorithm>
#include <cstring>
#include <system_error>

#include "core/buttons/key_tables.h"
#include "core/macros/macro_items.h"
#include "core/macros/record_store.h"
#include "core/settings/ini_file.h"
#include "core/settings/utf8_paths.h"

namespace corvaline {
namespace {

// Appends event records to a block's event area, refusing any record that
// would not fit whole.
class EventAreaWriter {
 public:
  explicit EventAreaWriter(MacroBlockBytes& block) : block_(block) {}

  bool Append(std::initializer_list<std::uint8_t> bytes) {
    if (pos_ + bytes.size() > kMacroBlockSize) return false;
    for (std::uint8_t b : bytes) block_[pos_++] = b;
    return true;
  }

 private:
  MacroBlockBytes& block_;
  std::size_t pos_ = kEventAreaOffset;
};

// The pause after event j: the number in item j+1, 0 after the last item.
int DelayAfter(const std::vector<std::string>& items, std::size_t j) {
  if (j + 1 >= items.size()) return 0;
  return std::clamp(ParseLeadingInt(items[j + 1]), 0, kLongDelayMaxMs);
}

}  // namespace

BlockEncodeResult EncodeMacroBlock(const std::vector<std::string>& items,
                                   MacroBlockBytes& block) {
  BlockEncodeResult result;
  if (items.empty()) {
    std::memset(block, 0, kMacroBlockSize);
    return result;
  }
  std::memset(block + kEventAreaOffset, 0, kEventAreaSize);
  EventAreaWriter writer(block);
  for (std::size_t j = 0; j < items.size(); ++j) {
    const MacroItemKind kind = ClassifyMacroItem(items[j]);
    if (kind == MacroItemKind::Delay) continue;
    const std::uint8_t flag = kind == MacroItemKind::Release ? kReleaseFlag : 0;
    const std::uint8_t code = KeyNameToCode(MacroItemKeyName(items[j]));
    const int delay = DelayAfter(items, j);
    const bool fits =
        delay <= kShortDelayMaxMs
            ? writer.Append({static_cast<std::uint8_t>(delay / 10 | flag), code})
            : writer.Append({static_cast<std::uint8_t>(delay % 100 | flag), code,
                             static_cast<std::uint8_t>(delay / 100), kLongDelayMarker});
    if (!fits) {
      result.truncated = true;
      break;
    }
    ++result.eventsEncoded;
  }
  return result;
}

Result<MacroAreaReport> EncodeMacroArea(const std::filesystem::path& recordIni, SettingsBlock& settings) {
  std::error_code ec;
  if (!std::filesystem::exists(recordIni, ec)) return Result<MacroAreaReport>::Failed(Utf8FromPath(recordIni) + " does not exist");
  // The whole list is read, whatever the length of the names, so no macro is
  // left out and its block stale; only the twelve blocks the mouse holds are
  // filled.
  const std::vector<std::string> names = IniSectionNames(recordIni);
  const std::size_t used = std::min(names.size(), static_cast<std::size_t>(kMaxMacros));
  MacroAreaReport local;
  local.sectionsIgnored = static_cast<int>(names.size() - used);
  for (std::size_t k = 0; k < used; ++k) {
    ++local.macrosEncoded;
    MacroBlockBytes& block = settings.macroArea[k];
    if (ReadMacroItemCount(recordIni, names[k]) == 0) {
      std::memset(block, 0, kMacroBlockSize);  // the loop count goes too
      continue;
    }
    const std::vector<std::string> items = ReadMacroItems(recordIni, names[k]);
    if (items.empty()) {
      std::memset(block + kEventAreaOffset, 0, kEventAreaSize);  // a count but no items
      continue;
    }
    const BlockEncodeResult r = EncodeMacroBlock(items, block);
    if (r.truncated) local.truncatedMacros.push_back(names[k]);
  }
  return local;
}

int MacroLoopCount(const SettingsBlock& settings, int index) {
  if (index < 0 || index >= kMacroBlocks) return 0;
  return settings.macroArea[index][0] * 256 + settings.macroArea[index][1];
}

void SetMacroLoopCount(SettingsBlock& settings, int index, int loops) {
  if (index < 0 || index >= kMacroBlocks) return;
  loops = std::clamp(loops, 0, 0xFFFF);
  settings.macroArea[index][0] = static_cast<std::uint8_t>(loops / 256);  // high byte first
  settings.macroArea[index][1] = static_cast<std::uint8_t>(loops % 256);
}

}  // namespace corvaline
