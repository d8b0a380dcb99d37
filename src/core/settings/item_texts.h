// The texts of str.ini: per language the caption of every button slot of both
// key groups, and the common "Skins" keys.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/i18n/ui_language.h"
#include "core/outcome.h"
#include "core/settings/settings_block.h"

namespace corvaline {

// Captions shown in the buttons' boxes: [0] = Mode A, [1] = Mode B, slot 0..11.
using ButtonCaptions = std::array<std::array<std::string, kButtonSlots>, 2>;

struct ItemTexts {
  ButtonCaptions captions;
  // The fingerprint of the button tables the captions were saved with
  // ("ItemCheck" of the section; empty in files saved without one).
  std::string captionCheck;
  std::string red, green, blue;  // "RColor", "GColor", "BColor" of "Skins", as read
  std::string skinPath;          // "Path" of "Skins"
};

// The common section and its keys.
inline constexpr std::string_view kSkinsSection = "Skins";
inline constexpr std::string_view kLanguageKey = "Lan";
inline constexpr std::string_view kRedKey = "RColor";
inline constexpr std::string_view kGreenKey = "GColor";
inline constexpr std::string_view kBlueKey = "BColor";
inline constexpr std::string_view kSkinPathKey = "Path";

inline constexpr std::string_view kCaptionCheckKey = "ItemCheck";

// The longest caption any entry takes, in UTF-16 units: what a read returns.
inline constexpr std::size_t kCaptionMax = 1023;

// Done when every caption fits kCaptionMax, else one line naming the first
// that does not.
Outcome CheckCaptionLengths(const ButtonCaptions& captions);

// One fingerprint per slot of both key groups of what the slot does, saved
// beside the captions: a reader compares it with config.bin to see which
// captions belong to another version of the block (a save cut short between
// the two files).
std::string CaptionCheck(const SettingsBlock& block);
// True when the slot's function in `block` is not the one `check` was made
// from; an empty or malformed check condemns nothing.
bool CaptionOutdated(std::string_view check, const SettingsBlock& block, KeyGroup group, int slot);

// The 24 captions and their check as str.ini's entries, "Item1" first.
std::vector<std::pair<std::string, std::string>> CaptionEntries(const ButtonCaptions& captions,
                                                                std::string_view check);

// Key of the caption of a slot: Mode A "Item1".."Item12" (slot + 1),
// Mode B "Item13", "Item23" .. "Item123" (10 * slot + 13).
std::string CaptionKey(KeyGroup group, int slot);

// The raw "Lan" value (empty when the file or key is missing).
std::string ReadLanguageCode(const std::filesystem::path& strIni);
// The language that value selects: missing file or key means English.
UiLanguage ReadLanguage(const std::filesystem::path& strIni);

// Reads the 24 captions of the language's section and the four skin keys.
// Missing file or keys give empty texts; every value is cut to 1023 characters.
void LoadItemTexts(const std::filesystem::path& strIni, UiLanguage lang, ItemTexts& texts);

// Writes the 24 captions into the language's section, "Item1" first, with an
// empty check (they are not tied to a block). Fails when the file could not
// be written or a caption is longer than kCaptionMax.
Outcome SaveItemTexts(const std::filesystem::path& strIni, UiLanguage lang, const ItemTexts& texts);

// The default caption of every slot (both key groups alike) in a language.
ButtonCaptions DefaultCaptions(UiLanguage lang);

// Sets the 24 in-memory captions to the defaults; the skin keys are untouched
// and nothing is written (the Default command saves with the next Apply).
void ResetItemTexts(ItemTexts& texts, UiLanguage lang);

// Called by the Basic page on its first showing in a run, after the sensor
// information has been read: with firstRunFlag 0 (no Apply has been saved yet)
// the captions are reset and saved. Returns true when that happened (a save
// that failed is made good by the next Apply, which saves them again).
bool ResetItemTextsOnFirstRun(const std::filesystem::path& strIni, UiLanguage lang,
                              std::uint8_t firstRunFlag, ItemTexts& texts);

// The skin dialog's OK: the colour as decimal numbers and the skin folder name
// into "Skins"; fails when the file could not be written.
Outcome SaveSkinChoice(const std::filesystem::path& strIni, std::uint8_t red, std::uint8_t green,
                       std::uint8_t blue, std::string_view skinName);

}  // namespace corvaline
