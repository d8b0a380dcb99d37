// The tray menu's entries beyond "Exit" and "Profiles": "Open", the
// "Language" submenu and what the program says when the language is chosen.
#pragma once

#include <string_view>

#include "core/i18n/ui_language.h"

namespace corvaline {

enum class TrayText {
  Open,             // opens the window, as a click on the icon does
  Language,         // the submenu's title
  English,          // the three entries, each in its own language
  SimplifiedChinese,
  TraditionalChinese,
  AtNextStart,      // told after a choice
  TrayHint,         // the first start's balloon: where the program is
  AutoSwitchTrouble,  // an automatic switch went out, but not all went well
  Count
};

std::string_view UiText(TrayText id, UiLanguage lang);
// The entry of the submenu that names `lang`.
TrayText LanguageEntry(UiLanguage lang);

}  // namespace corvaline
