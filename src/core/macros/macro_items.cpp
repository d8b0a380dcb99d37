#include "core/macros/macro_items.h"

#include <climits>

#include "core/macros/macro_encoder.h"

namespace corvaline {

MacroItemKind ClassifyMacroItem(std::string_view item) {
  if (item.find(kPressMarker) != std::string_view::npos) return MacroItemKind::Press;
  if (item.find(kReleaseMarker) != std::string_view::npos) return MacroItemKind::Release;
  return MacroItemKind::Delay;
}

bool LooksLikeDelayItem(std::string_view item) {
  return item.find("ms") != std::string_view::npos;
}

std::string MacroItemKeyName(std::string_view item) {
  std::string name(item);
  for (std::string_view marker : {kPressMarker, kReleaseMarker}) {
    const auto at = name.find(marker);
    if (at != std::string::npos) {
      name.erase(at, marker.size());
      break;
    }
  }
  return name;
}

std::string PressItem(std::string_view keyName) {
  return std::string(keyName) + std::string(kPressMarker);
}

std::string ReleaseItem(std::string_view keyName) {
  return std::string(keyName) + std::string(kReleaseMarker);
}

std::string DelayItem(int milliseconds) {
  return std::to_string(milliseconds) + std::string(kDelaySuffix);
}

int ParseLeadingInt(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > INT_MAX) {
      value = static_cast<long long>(INT_MAX) + 1;  // saturate; fits both signs below
    }
  }
  if (negative) return value > INT_MAX ? INT_MIN : static_cast<int>(-value);
  return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

std::size_t Utf16Length(std::string_view utf8) {
  std::size_t units = 0;
  for (unsigned char c : utf8) {
    if ((c & 0xC0) == 0x80) continue;  // continuation byte
    units += (c >= 0xF0) ? 2 : 1;      // four-byte sequences need a surrogate pair
  }
  return units;
}

}  // namespace corvaline
