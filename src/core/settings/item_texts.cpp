#include "core/settings/item_texts.h"

#include <cstddef>
#include <utility>
#include <vector>

#include "core/i18n/ui_strings.h"
#include "core/settings/ini_file.h"
#include "core/settings/text_codec.h"

namespace corvaline {
namespace {

constexpr std::array<KeyGroup, 2> kGroups{KeyGroup::ModeA, KeyGroup::ModeB};

// The three default captions that read the same in every language.
constexpr std::string_view kDpiLoopCaption = "DPI Loop";
constexpr std::string_view kShiftDpiCaption = "Shift DPI";
constexpr std::string_view kComboDefaultSuffix = "-left Win+D";

constexpr std::size_t kCheckDigits = 8;

// FNV-1a over the slot's byte of every column and its DPI selector.
std::uint32_t SlotFingerprint(const SettingsBlock& block, KeyGroup group, int slot) {
  const auto g = static_cast<std::size_t>(group);
  const auto* table = reinterpret_cast<const std::uint8_t*>(&block.buttons[g]);
  std::uint32_t hash = 2166136261u;
  auto mix = [&hash](std::uint8_t byte) { hash = (hash ^ byte) * 16777619u; };
  for (std::size_t column = 0; column < sizeof(ButtonTable) / kButtonSlots; ++column)
    mix(table[column * kButtonSlots + static_cast<std::size_t>(slot)]);
  mix(block.dpiSwitchSelector[g][slot]);
  return hash;
}

std::size_t SlotIndex(KeyGroup group, int slot) {
  return static_cast<std::size_t>(group) * kButtonSlots + static_cast<std::size_t>(slot);
}

}  // namespace

Outcome CheckCaptionLengths(const ButtonCaptions& captions) {
  for (KeyGroup g : kGroups) {
    for (int slot = 0; slot < kButtonSlots; ++slot) {
      const std::string& c = captions[static_cast<std::size_t>(g)][static_cast<std::size_t>(slot)];
      if (Utf8PrefixUtf16Units(c, kCaptionMax).size() != c.size())
        return Outcome::Failed("the caption of button " + std::to_string(slot + 1) + " of " +
                               (g == KeyGroup::ModeA ? "Mode A" : "Mode B") + " is longer than " +
                               std::to_string(kCaptionMax) + " characters");
    }
  }
  return {};
}

std::string CaptionCheck(const SettingsBlock& block) {
  std::string check;
  for (KeyGroup g : kGroups) {
    for (int slot = 0; slot < kButtonSlots; ++slot) {
      const std::uint32_t value = SlotFingerprint(block, g, slot);
      for (int shift = 28; shift >= 0; shift -= 4) check += "0123456789abcdef"[(value >> shift) & 0xF];
    }
  }
  return check;
}

bool CaptionOutdated(std::string_view check, const SettingsBlock& block, KeyGroup group, int slot) {
  if (check.size() != 2 * kButtonSlots * kCheckDigits) return false;
  std::uint32_t saved = 0;
  for (char c : check.substr(SlotIndex(group, slot) * kCheckDigits, kCheckDigits)) {
    const auto digit = std::string_view("0123456789abcdef").find(c);
    if (digit == std::string_view::npos) return false;
    saved = (saved << 4) | static_cast<std::uint32_t>(digit);
  }
  return saved != SlotFingerprint(block, group, slot);
}

std::vector<std::pair<std::string, std::string>> CaptionEntries(const ButtonCaptions& captions,
                                                                std::string_view check) {
  std::vector<std::pair<std::string, std::string>> entries;
  for (KeyGroup g : kGroups) {
    const auto& row = captions[static_cast<std::size_t>(g)];
    for (int slot = 0; slot < kButtonSlots; ++slot)
      entries.emplace_back(CaptionKey(g, slot), row[static_cast<std::size_t>(slot)]);
  }
  entries.emplace_back(std::string(kCaptionCheckKey), std::string(check));
  return entries;
}

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
  texts.captionCheck = IniReadString(strIni, section, kCaptionCheckKey);
  texts.red = IniReadString(strIni, kSkinsSection, kRedKey);
  texts.green = IniReadString(strIni, kSkinsSection, kGreenKey);
  texts.blue = IniReadString(strIni, kSkinsSection, kBlueKey);
  texts.skinPath = IniReadString(strIni, kSkinsSection, kSkinPathKey);
}

Outcome SaveItemTexts(const std::filesystem::path& strIni, UiLanguage lang, const ItemTexts& texts) {
  // One write for all 24: a crash midway must not leave the captions of two
  // different Applies side by side.
  if (Outcome fits = CheckCaptionLengths(texts.captions); !fits) return fits;
  return IniWriteStrings(strIni, ItemSectionName(lang), CaptionEntries(texts.captions, {}));
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
  static_cast<void>(SaveItemTexts(strIni, lang, texts));
  return true;
}

Outcome SaveSkinChoice(const std::filesystem::path& strIni, std::uint8_t red, std::uint8_t green,
                       std::uint8_t blue, std::string_view skinName) {
  return IniWriteStrings(strIni, kSkinsSection,
                         {{std::string(kRedKey), std::to_string(red)},
                          {std::string(kGreenKey), std::to_string(green)},
                          {std::string(kBlueKey), std::to_string(blue)},
                          {std::string(kSkinPathKey), std::string(skinName)}});
}

}  // namespace corvaline
