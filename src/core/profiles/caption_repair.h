// Captions that no longer match config.bin, and an str.ini nothing can read:
// both mended from what the buttons do, so the window never shows empty
// boxes or captions of functions the mouse does not have.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/i18n/ui_language.h"
#include "core/outcome.h"
#include "core/settings/item_texts.h"
#include "core/settings/settings_block.h"

namespace corvaline {

// Every caption as the button menus would write it for the slot's function;
// the two stored-only slots get their defaults.
ButtonCaptions CaptionsFromFunctions(const SettingsBlock& block, UiLanguage lang,
                                     const std::vector<std::string>& macroNames);

// Replaces each caption whose saved check names another function than the
// block's by the menus' caption of that function. Returns how many.
int MendOutdatedCaptions(ItemTexts& texts, const SettingsBlock& block, UiLanguage lang,
                         const std::vector<std::string>& macroNames);

// An str.ini that is there but cannot be read (too large, not a regular
// file, no permission) is moved aside as str.ini.damaged-<local time> and
// written anew: "Lan" of `lang` and the captions of the block's functions.
// Done when the file was readable or missing; else fails with the notice to
// show once (what was wrong and what was made of it). Holds the data
// folder's lock.
Outcome RepairUnreadableStrIni(const std::filesystem::path& strIni, const SettingsBlock& block,
                               UiLanguage lang, const std::filesystem::path& recordIni);

}  // namespace corvaline
