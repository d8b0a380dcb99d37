// config.bin and the captions of str.ini saved as one change. The captions
// say what the block's buttons do, so a save that reached only one of the
// two files would show captions of functions the mouse does not have.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "core/i18n/ui_language.h"
#include "core/outcome.h"
#include "core/settings/item_texts.h"
#include "core/settings/settings_block.h"

namespace corvaline {

struct CaptionsToSave {
  std::filesystem::path strIni;
  UiLanguage language = UiLanguage::EN;
  ButtonCaptions captions;
};

// Writes config.bin (firstRunFlag and the block) and, when given, the
// captions into their language's section of str.ini with the block's
// CaptionCheck. Both files are written in full under temporary names before
// either is replaced, so a refusal (a caption longer than kCaptionMax, an
// unreadable str.ini, a full disk) changes neither; a failure of the second
// rename puts config.bin's old content back. A kill between the two renames
// leaves a str.ini whose check names the old block, which readers mend (see
// MendOutdatedCaptions). config.bin must exist: it is never created. Holds
// the data folder's lock.
Outcome CommitConfigAndCaptions(const std::filesystem::path& configBin, std::uint8_t firstRunFlag,
                                const SettingsBlock& block, const CaptionsToSave* captions);

struct [[nodiscard]] SaveOutcome {
  Outcome settings;  // config.bin holds the block
  Outcome captions;  // str.ini holds the captions
};

// The program's Apply: the byte 1, the working block and the captions as one
// change. When the captions cannot be saved (str.ini unreadable), config.bin
// is saved alone: the mouse holds these settings already, and the check of
// the captions left in str.ini makes every reader remake those that no
// longer fit. Failures of config.bin are those of SaveSettings ("Config file
// is not exist.", "Error Code is: %d \n").
SaveOutcome SaveSettingsAndCaptions(const SettingsStore& store, const std::filesystem::path& configBin,
                                    const CaptionsToSave& captions);

}  // namespace corvaline
