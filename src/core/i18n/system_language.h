// The UI language outside the program's own files: the one a first start
// takes from the system's locale, and the "Lan" key a user's choice writes
// for the next start.
#pragma once

#include <filesystem>
#include <string_view>

#include "core/i18n/ui_language.h"
#include "core/outcome.h"

namespace corvaline {

// The locale variables in the order the C library consults them.
struct LocaleVariables {
  std::string_view lcAll, lcMessages, lang;
};

// The first variable that is set and not empty decides: zh_CN or zh_SG give
// Simplified Chinese, zh_TW, zh_HK or zh_MO Traditional Chinese (with or
// without ".UTF-8" or "@modifier"), anything else English.
UiLanguage LanguageFromLocale(const LocaleVariables& locale);
// LC_ALL, LC_MESSAGES and LANG of this process.
LocaleVariables LocaleFromEnvironment();

// The "Lan" value of a language: "CHS", "CHT" or "EN".
std::string_view LanValue(UiLanguage lang);

// Writes "Lan" into section "Skins" of str.ini. Read again only at the next
// start.
Outcome WriteLanguage(const std::filesystem::path& strIni, UiLanguage lang);
// The first start's choice: writes "Lan" only when str.ini has no such key
// (an existing one, even empty, is the user's and stays). True when written.
bool SetFirstStartLanguage(const std::filesystem::path& strIni, UiLanguage lang);

// Whether the first start's hint on where the program lives was shown; kept
// in str.ini (section "Program", key "TrayHintShown"), so it is told once.
bool TrayHintShown(const std::filesystem::path& strIni);
// Fails when str.ini could not be written (the hint then comes again).
Outcome MarkTrayHintShown(const std::filesystem::path& strIni);

}  // namespace corvaline
