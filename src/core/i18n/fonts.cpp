#include "core/i18n/fonts.h"

namespace corvaline {
namespace {

constexpr int kNormalWeight = 400;
constexpr int kBoldWeight = 700;

// Simplified Chinese: "黑体" on Windows version 6.2, "宋体" on every other
// version (other platforms report 0.0).
std::string_view SimplifiedFace(OsVersion os) {
  return (os.major == 6 && os.minor == 2) ? std::string_view("黑体") : std::string_view("宋体");
}

}  // namespace

FontSpec UiFontFor(FontRole role, UiLanguage lang, OsVersion os) {
  const bool bold = role == FontRole::Bold;
  const int weight = bold ? kBoldWeight : kNormalWeight;
  switch (lang) {
    case UiLanguage::CHS:
      return {SimplifiedFace(os), bold ? 18 : 13, weight};
    case UiLanguage::CHT:
      return {"黑体", bold ? 18 : 13, weight};
    case UiLanguage::EN:
      break;
  }
  // English: the page titles use Tahoma, everything else Arial.
  if (bold) return {"Tahoma", 18, kBoldWeight};
  return {"Arial", 14, kNormalWeight};
}

}  // namespace corvaline
