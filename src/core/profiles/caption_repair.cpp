#include "core/profiles/caption_repair.h"

#include <ctime>
#include <system_error>

#include "core/i18n/ui_strings.h"
#include "core/macros/record_store.h"
#include "core/profiles/function_words.h"
#include "core/profiles/profile.h"
#include "core/settings/atomic_file.h"
#include "core/settings/file_lock.h"
#include "core/settings/ini_file.h"
#include "core/settings/text_codec.h"
#include "core/settings/utf8_paths.h"

namespace corvaline {
namespace {

std::string MenuCaption(const SettingsBlock& block, KeyGroup group, int slot, UiLanguage lang,
                        const std::vector<std::string>& macroNames, const std::string& fallback) {
  const FunctionParse parsed = ParseFunctionText(FunctionWordsOf(block, group, slot, macroNames),
                                                 macroNames, EmptyKey::Kept);
  if (!parsed.choice) return fallback;
  if (parsed.choice->category == FunctionCategory::Shift)
    return std::string(CategoryName(static_cast<int>(FunctionCategory::Shift), lang));
  // Assigned onto a copy whose slot is free, so only the function's own
  // caption rule applies.
  SettingsBlock scratch = block;
  scratch.currentMode = static_cast<std::uint8_t>(group);
  scratch.table(group).category[slot] = static_cast<std::uint8_t>(FunctionCategory::KeyOff);
  ButtonCaptions captions = DefaultCaptions(lang);
  if (!AssignFunction({scratch, captions, lang}, slot, *parsed.choice).assigned) return fallback;
  return captions[static_cast<std::size_t>(group)][static_cast<std::size_t>(slot)];
}

// A name beside the file that nothing holds yet.
std::filesystem::path AsideName(const std::filesystem::path& file) {
  const std::time_t now = std::time(nullptr);
  char stamp[32] = {};
  if (const std::tm* local = std::localtime(&now))
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", local);
  for (int n = 0; n < 100; ++n) {
    std::filesystem::path aside = file;
    aside += std::string(".damaged-") + stamp + (n ? "-" + std::to_string(n) : std::string());
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(aside, ec))) return aside;
  }
  return {};
}

}  // namespace

ButtonCaptions CaptionsFromFunctions(const SettingsBlock& block, UiLanguage lang,
                                     const std::vector<std::string>& macroNames) {
  ButtonCaptions captions = DefaultCaptions(lang);
  for (KeyGroup g : {KeyGroup::ModeA, KeyGroup::ModeB}) {
    auto& row = captions[static_cast<std::size_t>(g)];
    for (int slot = 0; slot < kVisibleButtons; ++slot) {
      auto& caption = row[static_cast<std::size_t>(slot)];
      caption = MenuCaption(block, g, slot, lang, macroNames, caption);
    }
  }
  return captions;
}

int MendOutdatedCaptions(ItemTexts& texts, const SettingsBlock& block, UiLanguage lang,
                         const std::vector<std::string>& macroNames) {
  int mended = 0;
  const ButtonCaptions defaults = DefaultCaptions(lang);
  for (KeyGroup g : {KeyGroup::ModeA, KeyGroup::ModeB}) {
    const auto gi = static_cast<std::size_t>(g);
    for (int slot = 0; slot < kButtonSlots; ++slot) {
      if (!CaptionOutdated(texts.captionCheck, block, g, slot)) continue;
      const auto si = static_cast<std::size_t>(slot);
      texts.captions[gi][si] = slot < kVisibleButtons
                                   ? MenuCaption(block, g, slot, lang, macroNames, defaults[gi][si])
                                   : defaults[gi][si];
      ++mended;
    }
  }
  return mended;
}

Outcome RepairUnreadableStrIni(const std::filesystem::path& strIni, const SettingsBlock& block,
                               UiLanguage lang, const std::filesystem::path& recordIni) {
  const std::filesystem::path folder =
      strIni.has_parent_path() ? strIni.parent_path() : std::filesystem::path(".");
  const auto lock = LockDataFolder(folder);
  std::error_code ec;
  if (!lock || !std::filesystem::exists(std::filesystem::symlink_status(strIni, ec))) return {};
  const auto read = ReadWholeFile(strIni);
  if (read) return {};
  const std::string& why = read.Reason();
  const std::filesystem::path aside = AsideName(strIni);
  if (aside.empty() || (std::filesystem::rename(strIni, aside, ec), ec))
    return Outcome::Failed("str.ini cannot be read (" + why +
                           ") and could not be moved aside; the button "
                           "captions are made from the buttons' functions for now.");
  const ButtonCaptions captions = CaptionsFromFunctions(block, lang, ListMacroNames(recordIni));
  auto entries = CaptionEntries(captions, CaptionCheck(block));
  const bool rebuilt = IniWriteStrings(strIni, kSkinsSection,
                                       {{std::string(kLanguageKey), std::string(LanguageCode(lang))}}) &&
                       IniWriteStrings(strIni, ItemSectionName(lang), entries);
  return Outcome::Failed("str.ini could not be read (" + why + "); it is kept as " +
                         Utf8FromPath(aside.filename()) +
                         (rebuilt ? " and was made anew from the settings."
                                  : ", and a new one could not be written."));
}

}  // namespace corvaline
