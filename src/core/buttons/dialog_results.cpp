#include "core/buttons/dialog_results.h"

#include <limits>

namespace corvaline {

int LeadingNumber(std::string_view text) {
  constexpr int kMax = std::numeric_limits<int>::max();
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    const int digit = c - '0';
    if (value > (kMax - digit) / 10) return kMax;
    value = value * 10 + digit;
  }
  return value;
}

FieldCheck CheckFireSpeedText(std::string_view text) {
  FieldCheck check{LeadingNumber(text), false, {}};
  if (check.value < kMinFireSpeed || check.value > kMaxFireSpeed) {
    check = {kMinFireSpeed, true, "5"};
  }
  return check;
}

FieldCheck CheckFireTimesText(std::string_view text) {
  FieldCheck check{LeadingNumber(text), false, {}};
  if (check.value < 0 || check.value > kMaxFireTimes) check = {1, true, "1"};
  return check;
}

int DelayValueFromText(std::string_view text) { return LeadingNumber(text); }

}  // namespace corvaline
