// The UI language: chosen once at start from the "Lan" key of str.ini and
// kept for the whole run. It selects the text tables, the fonts and the
// str.ini section that holds the button captions.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvaline {

enum class UiLanguage { CHS, CHT, EN };
inline constexpr int kUiLanguageCount = 3;

// "CHS" and "CHT" pick the Chinese tables; anything else (lower case, blanks,
// empty, missing) is English. Whole-string, case-sensitive comparison.
UiLanguage LanguageFromCode(std::string_view code);

// The str.ini section holding the captions of this language:
// "Setting-CHS", "Setting-CHT" or "Setting-EN".
std::string_view ItemSectionName(UiLanguage lang);

// A skin file that holds words may come once per language beside its plain
// (English) form: "/fire-key.png" has "/fire-key.CHS.png" and
// "/fire-key.CHT.png". The names to look for, in order: the language's own,
// then the plain one, which every skin has (older and users' skins only it).
std::vector<std::string> SkinFileCandidates(std::string_view fileName, UiLanguage lang);

// The process-wide language. English until start-up sets it; safe to read
// from the input-report reader thread.
UiLanguage CurrentLanguage();
void SetCurrentLanguage(UiLanguage lang);

}  // namespace corvaline
