// The fonts of each UI language, as data: the GUI turns them into real fonts.
// Every font is created with width 0, no italic/underline/strike-out,
// character set 0 and a sans-serif ("swiss") family.
#pragma once

#include <string_view>

#include "core/i18n/ui_language.h"

namespace corvaline {

enum class FontRole {
  Normal,  // main window: every text except the page titles
  Bold,    // main window: page titles
  Dialog,  // the one font of every sub-dialog
};

struct FontSpec {
  std::string_view family;  // UTF-8 face name
  int height;               // cell height in pixels
  int weight;               // 400 normal, 700 bold
};

inline constexpr int kFontPitchAndFamily = 0x20;  // FF_SWISS
inline constexpr int kFontCharSet = 0;

// The operating system version as Windows reports it. Simplified Chinese uses
// a different face on version 6.2; any other platform passes {} (0.0).
struct OsVersion {
  int major = 0;
  int minor = 0;
};

FontSpec UiFontFor(FontRole role, UiLanguage lang, OsVersion os = {});

}  // namespace corvaline
