#include "core/i18n/system_language.h"

#include <algorithm>
#include <cstdlib>

#include "core/settings/ini_file.h"
#include "core/settings/item_texts.h"

namespace corvaline {

namespace {

std::string_view Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string_view(value) : std::string_view();
}

constexpr std::string_view kProgramSection = "Program";
constexpr std::string_view kTrayHintKey = "TrayHintShown";

}  // namespace

UiLanguage LanguageFromLocale(const LocaleVariables& locale) {
  std::string_view name = locale.lcAll;
  if (name.empty()) name = locale.lcMessages;
  if (name.empty()) name = locale.lang;
  // "zh_TW.UTF-8@radical": the language and territory end at '.' or '@'.
  name = name.substr(0, name.find_first_of(".@"));
  for (std::string_view chs : {"zh_CN", "zh_SG"}) {
    if (name == chs) return UiLanguage::CHS;
  }
  for (std::string_view cht : {"zh_TW", "zh_HK", "zh_MO"}) {
    if (name == cht) return UiLanguage::CHT;
  }
  return UiLanguage::EN;
}

LocaleVariables LocaleFromEnvironment() { return {Env("LC_ALL"), Env("LC_MESSAGES"), Env("LANG")}; }

std::string_view LanValue(UiLanguage lang) {
  switch (lang) {
    case UiLanguage::CHS: return "CHS";
    case UiLanguage::CHT: return "CHT";
    case UiLanguage::EN: break;
  }
  return "EN";
}

Outcome WriteLanguage(const std::filesystem::path& strIni, UiLanguage lang) {
  return IniWriteString(strIni, kSkinsSection, kLanguageKey, LanValue(lang));
}

bool SetFirstStartLanguage(const std::filesystem::path& strIni, UiLanguage lang) {
  for (const auto& [key, value] : IniReadSection(strIni, kSkinsSection)) {
    if (IniNameEquals(key, kLanguageKey)) return false;
  }
  return WriteLanguage(strIni, lang).Ok();
}

bool TrayHintShown(const std::filesystem::path& strIni) {
  return IniReadString(strIni, kProgramSection, kTrayHintKey, "") == "1";
}

Outcome MarkTrayHintShown(const std::filesystem::path& strIni) {
  return IniWriteString(strIni, kProgramSection, kTrayHintKey, "1");
}

}  // namespace corvaline
