// The first start's language from the locale, and a "Lan" of the user's that
// stays.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "core/i18n/system_language.h"
#include "core/settings/data_paths.h"
#include "core/settings/ini_file.h"
#include "core/settings/item_texts.h"

namespace corvaline {
namespace {

namespace fs = std::filesystem;

TEST(SystemLanguageTest, LocaleVariablesInTheirOrderPickTheLanguage) {
  const auto chs = UiLanguage::CHS, cht = UiLanguage::CHT, en = UiLanguage::EN;
  const std::pair<LocaleVariables, UiLanguage> cases[] = {
      {{"", "", "zh_CN.UTF-8"}, chs},          {{"", "", "zh_SG"}, chs},
      {{"", "", "zh_TW.UTF-8"}, cht},          {{"", "", "zh_HK.Big5@stroke"}, cht},
      {{"", "", "zh_MO"}, cht},                {{"", "", "de_DE.UTF-8"}, en},
      {{"", "", ""}, en},                      {{"", "", "zh"}, en},
      {{"", "", "zh_CNX"}, en},                {{"", "", "C.UTF-8"}, en},
      {{"en_US.UTF-8", "zh_CN", "zh_TW"}, en},  // LC_ALL first
      {{"", "zh_TW.UTF-8", "zh_CN.UTF-8"}, cht}, // then LC_MESSAGES
  };
  for (const auto& [locale, language] : cases) {
    EXPECT_EQ(LanguageFromLocale(locale), language)
        << locale.lcAll << "|" << locale.lcMessages << "|" << locale.lang;
  }
}

TEST(SystemLanguageTest, FirstFillSetsLanOnceAndNeverOverAnExistingOne) {
  const fs::path dir = fs::temp_directory_path() / ("corvaline-lan-" + std::to_string(std::random_device{}()));
  const fs::path defaults = dir / "share", user = dir / "user", other = dir / "other";
  fs::create_directories(defaults);
  ASSERT_TRUE(IniWriteString(defaults / "str.ini", "Skins", "Path", "Carbon"));

  EXPECT_EQ(FillDataFolder(user, defaults, UiLanguage::CHT).Reason(), "");
  EXPECT_EQ(ReadLanguageCode(user / "str.ini"), "CHT");
  EXPECT_EQ(IniReadString(user / "str.ini", "Skins", "Path"), "Carbon");
  EXPECT_EQ(ReadLanguageCode(defaults / "str.ini"), "");  // the delivered file stays as it is

  // A later fill, or a str.ini with a Lan of its own (even an empty one), is
  // left alone.
  EXPECT_EQ(FillDataFolder(user, defaults, UiLanguage::CHS).Reason(), "");
  EXPECT_EQ(ReadLanguageCode(user / "str.ini"), "CHT");
  fs::create_directories(other);
  ASSERT_TRUE(IniWriteString(other / "str.ini", "Skins", "lan", ""));
  EXPECT_FALSE(SetFirstStartLanguage(other / "str.ini", UiLanguage::CHS));
  EXPECT_EQ(ReadLanguageCode(other / "str.ini"), "");

  // The user's choice for the next start.
  ASSERT_TRUE(WriteLanguage(user / "str.ini", UiLanguage::EN));
  EXPECT_EQ(ReadLanguageCode(user / "str.ini"), "EN");
  fs::remove_all(dir);
}

}  // namespace
}  // namespace corvaline
