#include "core/settings/skin_ini.h"

#include <algorithm>

#include "core/settings/ini_file.h"

namespace corvaline {

namespace {

constexpr std::string_view kTextKey = "TextColor";
constexpr std::string_view kListTextKey = "ListTextColor";
constexpr std::string_view kListBackKey = "ListBackColor";
constexpr std::string_view kEditTextKey = "EditTextColor";
constexpr std::string_view kEditBackKey = "EditBackColor";
constexpr std::string_view kDropTextKey = "DropDownTextColor";
constexpr std::string_view kDropBackKey = "DropDownBackColor";
constexpr std::string_view kFocusKey = "FocusColor";
constexpr std::string_view kFocusContrastKey = "FocusContrastColor";

std::string_view Trimmed(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

std::optional<std::uint8_t> ParseByte(std::string_view part) {
  part = Trimmed(part);
  if (part.empty() || part.size() > 3) return std::nullopt;
  int value = 0;
  for (char c : part) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value > 255) return std::nullopt;
  return static_cast<std::uint8_t>(value);
}

// The members in file order, each with its key.
template <typename Colours>
auto Members(Colours& c) {
  return std::array{
      std::pair{kTextKey, &c.text},           std::pair{kListTextKey, &c.listText},
      std::pair{kListBackKey, &c.listBack},   std::pair{kEditTextKey, &c.editText},
      std::pair{kEditBackKey, &c.editBack},   std::pair{kDropTextKey, &c.dropDownText},
      std::pair{kDropBackKey, &c.dropDownBack}, std::pair{kFocusKey, &c.focus},
      std::pair{kFocusContrastKey, &c.focusContrast},
  };
}

}  // namespace

std::optional<Rgb> ParseRgb(std::string_view text) {
  Rgb rgb{};
  for (std::size_t i = 0; i < 3; ++i) {
    const std::size_t comma = text.find(',');
    if ((i < 2) != (comma != std::string_view::npos)) return std::nullopt;
    const std::optional<std::uint8_t> byte = ParseByte(text.substr(0, comma));
    if (!byte) return std::nullopt;
    rgb[i] = *byte;
    text = i < 2 ? text.substr(comma + 1) : std::string_view();
  }
  return rgb;
}

std::string FormatRgb(const Rgb& rgb) {
  return std::to_string(rgb[0]) + "," + std::to_string(rgb[1]) + "," + std::to_string(rgb[2]);
}

SkinColours SkinColoursFrom(const std::vector<std::pair<std::string, std::string>>& entries) {
  SkinColours colours;
  for (auto [key, member] : Members(colours)) {
    // The first line of a key counts, as for every INI read of the program.
    const auto found = std::find_if(entries.begin(), entries.end(), [key = key](const auto& e) {
      return IniNameEquals(e.first, key);
    });
    if (found != entries.end()) *member = ParseRgb(found->second);
  }
  return colours;
}

std::vector<std::pair<std::string, std::string>> SkinIniEntries(const SkinColours& colours) {
  std::vector<std::pair<std::string, std::string>> entries;
  for (auto [key, member] : Members(colours)) {
    if (*member) entries.emplace_back(std::string(key), FormatRgb(**member));
  }
  return entries;
}

SkinColours ReadSkinColours(const std::filesystem::path& skinFolder) {
  return SkinColoursFrom(IniReadSection(skinFolder / kSkinIniName, kSkinIniSection));
}

}  // namespace corvaline
