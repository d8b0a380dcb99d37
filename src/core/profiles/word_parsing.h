// The two rules every word of `set` and of a profile is read by: names match
// without regard to letter case, numbers are whole decimal texts in range.
#pragma once

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>
#include <string_view>

namespace corvaline::words {

inline bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// The whole text as a number within lo..hi; nullopt for anything else.
inline std::optional<int> Number(std::string_view text, int lo, int hi) {
  int v = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size() || v < lo || v > hi) return std::nullopt;
  return v;
}

}  // namespace corvaline::words
