// Writing a whole SettingsBlock to the mouse, then saving it.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/device/device_link.h"
#include "core/i18n/ui_language.h"
#include "core/outcome.h"
#include "core/settings/item_texts.h"
#include "core/settings/settings_block.h"

namespace corvaline {

// The two saving steps at the end of Apply: config.bin, then the captions in
// str.ini; each says whether it saved, or why not. Either may be empty
// (nothing to save).
struct ApplySavers {
  std::function<Outcome()> saveSettings;
  std::function<Outcome()> saveItemTexts;
  // When set, both run holding this data folder's lock.
  std::filesystem::path dataFolder;
};

// The program's savers: the store's working block into configBin and the
// captions of texts into the language's section of strIni, saved as one
// change. Captions only go back into a str.ini that exists: never a file of
// captions and nothing else.
ApplySavers FileSavers(const SettingsStore& store, std::filesystem::path configBin,
                       std::filesystem::path strIni, UiLanguage lang, const ItemTexts& texts);

// The lighting rules: the records as read from the mouse, changed by the
// block's lighting fields. Table 1 takes the DPI stage colours.
void ApplyLightingToRecords(const SettingsBlock& s, DeviceRecords& records);

// The eight DPI stage codes for the block and the sensor type: bit 7 marks a
// switched-off stage; stages 5-8 are always off. A stage position past the
// end of the sensor type's table sends the table's highest code.
DpiTable BuildDpiTable(const SettingsBlock& s, int sensorType);

// What one Apply achieved: whether the block went out at all (or why
// nothing did), the transfers the mouse did not take, and each save.
struct [[nodiscard]] ApplyReport {
  Outcome sent;
  unsigned failedTransfers = 0;
  Outcome settingsSaved;
  Outcome captionsSaved;
  bool settingsWritten = false;  // config.bin holds this block now
  bool AllDone() const { return failedTransfers == 0 && settingsSaved.Ok() && captionsSaved.Ok(); }
};

// Sends report rate, lighting, DPI stages, macros and key matrices in the
// mouse's order, then runs both savers. Always runs to its end, whatever the
// mouse does.
ApplyReport ApplySettings(DeviceLink& link, const SettingsBlock& s, const ApplySavers& savers);

// What the user is told of a report that is not AllDone(), one paragraph per
// problem, in the window and on the command line alike.
std::vector<std::string> ApplyProblemTexts(const ApplyReport& report, UiLanguage lang,
                                           const std::filesystem::path& configBin,
                                           const std::filesystem::path& strIni);

}  // namespace corvaline
