#include "core/macros/record_store.h"

#include <algorithm>
#include <system_error>

#include "core/macros/macro_encoder.h"
#include "core/macros/macro_items.h"
#include "core/settings/ini_file.h"

namespace corvaline {

std::string MacroItemKey(int index) { return "Item" + std::to_string(index); }

std::vector<std::string> ListMacroNames(const std::filesystem::path& recordIni) {
  std::error_code ec;
  if (!std::filesystem::exists(recordIni, ec)) return {};
  std::vector<std::string> names = IniSectionNames(recordIni);
  if (names.size() > static_cast<std::size_t>(kMaxMacros)) names.resize(kMaxMacros);
  return names;
}

int ReadMacroItemCount(const std::filesystem::path& recordIni, std::string_view name) {
  const int count = ParseLeadingInt(IniReadString(recordIni, name, kItemCountKey));
  return std::clamp(count, 0, kMaxStoredItems);
}

std::vector<std::string> ReadMacroItems(const std::filesystem::path& recordIni,
                                        std::string_view name) {
  const int count = ReadMacroItemCount(recordIni, name);
  std::vector<std::string> items;
  items.reserve(static_cast<std::size_t>(count));
  // A key missing in the middle reads as an empty item; a long run of missing
  // keys means the count is damaged, and reading on would only stall.
  constexpr std::string_view kMissing = "\x01";
  constexpr int kMaxMissingRun = 16;
  int missingRun = 0;
  for (int i = 0; i < count && missingRun < kMaxMissingRun; ++i) {
    std::string item = IniReadString(recordIni, name, MacroItemKey(i), kMissing);
    missingRun = item == kMissing ? missingRun + 1 : 0;
    items.push_back(item == kMissing ? std::string() : std::move(item));
  }
  while (missingRun-- > 0 && !items.empty()) items.pop_back();
  return items;
}

bool WriteMacroSection(const std::filesystem::path& recordIni, std::string_view name,
                       const std::vector<std::string>& items) {
  // One write for the whole section: a failure or a crash midway can never
  // leave the macro half saved or deleted.
  std::vector<std::pair<std::string, std::string>> entries;
  entries.reserve(items.size() + 1);
  entries.emplace_back(std::string(kItemCountKey), std::to_string(items.size()));
  for (std::size_t i = 0; i < items.size(); ++i)
    entries.emplace_back(MacroItemKey(static_cast<int>(i)), items[i]);
  return IniWriteSection(recordIni, name, entries);
}

bool DeleteMacroSection(const std::filesystem::path& recordIni, std::string_view name) {
  std::error_code ec;
  if (!std::filesystem::exists(recordIni, ec)) return true;
  return IniWriteString(recordIni, name, std::nullopt, std::nullopt);
}

}  // namespace corvaline
