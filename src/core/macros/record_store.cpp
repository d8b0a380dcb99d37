#include "core/macros/record_store.h"

#include <algorithm>
#include <system_error>
#include <unordered_map>

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

namespace {

// Keys are compared as the INI engine compares them: ASCII letters in any case.
std::string Lowered(std::string key) {
  for (char& c : key)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return key;
}

std::unordered_map<std::string, std::string> ReadKeys(const std::filesystem::path& recordIni,
                                                      std::string_view name) {
  std::unordered_map<std::string, std::string> keys;
  for (auto& [key, value] : IniReadSection(recordIni, name))
    keys.emplace(Lowered(std::move(key)), std::move(value));
  return keys;
}

int CountOf(const std::unordered_map<std::string, std::string>& keys) {
  const auto it = keys.find(Lowered(std::string(kItemCountKey)));
  const int count = it == keys.end() ? 0 : ParseLeadingInt(it->second);
  return std::clamp(count, 0, kMaxStoredItems);
}

}  // namespace

int ReadMacroItemCount(const std::filesystem::path& recordIni, std::string_view name) {
  return CountOf(ReadKeys(recordIni, name));
}

std::vector<std::string> ReadMacroItems(const std::filesystem::path& recordIni,
                                        std::string_view name) {
  // The file is read once for the whole macro: a key at a time made a long
  // macro cost its length times the file's.
  const auto keys = ReadKeys(recordIni, name);
  const int count = CountOf(keys);
  std::vector<std::string> items;
  // A key missing in the middle reads as an empty item; a long run of missing
  // keys means the count is damaged, and reading on would only stall.
  constexpr int kMaxMissingRun = 16;
  int missingRun = 0;
  for (int i = 0; i < count && missingRun < kMaxMissingRun; ++i) {
    const auto it = keys.find(Lowered(MacroItemKey(i)));
    missingRun = it == keys.end() ? missingRun + 1 : 0;
    items.push_back(it == keys.end() ? std::string() : it->second);
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
