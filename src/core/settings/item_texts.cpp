#include "core/settings/item_texts.h"

#include <cstddef>
#include <utility>
#include <vector>

#include "core/i18n/ui_strings.h"
#include "core/settings/ini_file.h"

namespace corvaline {
namespace {

constexpr std::array<KeyGroup, 2> kGroups{KeyGroup::ModeA, KeyGroup::ModeB};

// The three default captions that read the same in every language.
constexpr std::string_view kDpiLoopCaption = "DPI Loop";
constexpr std::string_view kShiftDpiCaption = "Shift DPI";
constexpr std::string_view kComboDefaultSuffix = "-left Win+D";

}  // namespace

std::string CaptionKey(KeyGroup group, int slot) {
  const int number = group == KeyGroup::ModeA ? slot + 1 : 10 * slot + 13;
  return "Item" + std::to_string(number);
}

std::string ReadLanguageCode(const std::filesystem::path& strIni) {
  return IniReadString(strIni, kSkinsSection, kLanguageKey);
}

UiLanguage ReadLanguage(const std::filesystem::path& strIni) {
  return LanguageFromCode(ReadLanguageCode(strIni));
}

void LoadItemTexts(const std::filesystem::path& strIni, UiLanguage lang, ItemTexts& texts) {
  const std::string_view section = ItemSectionName(lang);
  for (KeyGroup g : kGroups) {
    auto& row = texts.captions[static_cast<std::size_t>(g)];
    for (int slot = 0; slot < kButtonSlots; ++slot) {
      row[static_cast<std::size_t>(slot)] = IniReadString(strIni, section, CaptionKey(g, slot));
    }
  }
  texts.red = IniReadString(strIni, kSkinsSection, kRedKey);
  texts.green = IniReadString(strIni, kSkinsSection, kGreenKey);
  texts.blue = IniReadString(strIni, kSkinsSection, kBlueKey);
  texts.skinPath = IniReadString(strIni, kSkinsSection, kSkinPathKey);
}

bool SaveItemTexts(const std::filesystem::path& strIni, UiLanguage lang,
                   const ItemTexts& texts) {
  // One write for all 24: a crash midway must not leave the captions of two
  // different Applies side by side.
  std::vector<std::pair<std::string, std::string>> entries;
  for (KeyGroup g : kGroups) {
    const auto& row = texts.captions[static_cast<std::size_t>(g)];
    for (int slot = 0; slot < kButtonSlots; ++slot)
      entries.emplace_back(CaptionKey(g, slot), row[static_cast<std::size_t>(slot)]);
  }
  return IniWriteStrings(strIni, ItemSectionName(lang), entries);
}

ButtonCaptions DefaultCaptions(UiLanguage lang) {
  const std::string combo = std::string(UiText(MainText::FnComboKey, lang)) +
                            std::string(kComboDefaultSuffix);
  const std::array<std::string, kButtonSlots> row{
      std::string(UiText(MainText::FnLeftClick, lang)),
      std::string(UiText(MainText::FnRightClick, lang)),
      std::string(UiText(MainText::FnMidClick, lang)),
      std::string(UiText(MainText::FnForward, lang)),
      std::string(UiText(MainText::FnBackward, lang)),
      std::string(kDpiLoopCaption),
      std::string(UiText(MainText::FnTripleClick, lang)),
      std::string(kShiftDpiCaption),
      combo,
      std::string(UiText(MainText::FnRgbOnOff, lang)),
      std::string(UiText(MainText::FnKeyOff, lang)),
      std::string(UiText(MainText::FnKeyOff, lang)),
  };
  return {row, row};
}

void ResetItemTexts(ItemTexts& texts, UiLanguage lang) { texts.captions = DefaultCaptions(lang); }

bool ResetItemTextsOnFirstRun(const std::filesystem::path& strIni, UiLanguage lang,
                              std::uint8_t firstRunFlag, ItemTexts& texts) {
  if (firstRunFlag != 0) return false;
  ResetItemTexts(texts, lang);
  SaveItemTexts(strIni, lang, texts);
  return true;
}

bool SaveSkinChoice(const std::filesystem::path& strIni, std::uint8_t red,
                    std::uint8_t green, std::uint8_t blue, std::string_view skinName) {
  return IniWriteStrings(strIni, kSkinsSection,
                         {{std::string(kRedKey), std::to_string(red)},
                          {std::string(kGreenKey), std::to_string(green)},
                          {std::string(kBlueKey), std::to_string(blue)},
                          {std::string(kSkinPathKey), std::string(skinName)}});
}

}  // namespace corvaline
