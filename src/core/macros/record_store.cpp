#include "core/macros/record_store.h"

#include <algorithm>
#include <limits>
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
  return std::max(count, 0);
}

// The index of an "Item<n>" key (already lowered), written as MacroItemKey
// writes it; -1 for any other key.
int ItemIndexOf(std::string_view key) {
  constexpr std::string_view kPrefix = "item";
  if (!key.starts_with(kPrefix)) return -1;
  const std::string_view digits = key.substr(kPrefix.size());
  if (digits.empty() || digits.size() > 10 || (digits.size() > 1 && digits[0] == '0')) return -1;
  long long index = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return -1;
    index = index * 10 + (c - '0');
  }
  return index > std::numeric_limits<int>::max() ? -1 : static_cast<int>(index);
}

}  // namespace

int ReadMacroItemCount(const std::filesystem::path& recordIni, std::string_view name) {
  return CountOf(ReadKeys(recordIni, name));
}

std::vector<std::string> ReadMacroItems(const std::filesystem::path& recordIni,
                                        std::string_view name) {
  // The file is read once for the whole macro: a key at a time made a long
  // macro cost its length times the file's.
  auto keys = ReadKeys(recordIni, name);
  const int count = CountOf(keys);
  // Only the keys present are visited, so a damaged count costs nothing.
  std::vector<std::pair<int, std::string*>> present;
  for (auto& [key, value] : keys) {
    const int index = ItemIndexOf(key);
    if (index >= 0 && index < count) present.emplace_back(index, &value);
  }
  std::sort(present.begin(), present.end());
  // A run of missing keys between two items reads as one empty item: the
  // event before it gets no pause, and nothing else is encoded from it, just
  // as when every missing key is read as empty. Missing keys at the end
  // (a count larger than the items written) are dropped.
  std::vector<std::string> items;
  items.reserve(present.size());
  int next = 0;
  for (auto& [index, value] : present) {
    if (index > next) items.emplace_back();
    items.push_back(std::move(*value));
    next = index + 1;
  }
  return items;
}

Outcome WriteMacroSection(const std::filesystem::path& recordIni, std::string_view name,
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

Outcome DeleteMacroSection(const std::filesystem::path& recordIni, std::string_view name) {
  std::error_code ec;
  if (!std::filesystem::exists(recordIni, ec)) return {};
  return IniWriteString(recordIni, name, std::nullopt, std::nullopt);
}

}  // namespace corvaline
