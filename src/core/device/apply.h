// Writing a whole SettingsBlock to the mouse, then saving it.
#pragma once

#include <filesystem>
#include <functional>

#include "core/device/device_link.h"
#include "core/i18n/ui_language.h"
#include "core/settings/item_texts.h"
#include "core/settings/settings_block.h"

namespace corvaline {

// The two saving steps at the end of Apply: config.bin, then the captions in
// str.ini. Either may be empty (nothing saved for it).
struct ApplySavers {
  std::function<void()> saveSettings;
  std::function<void()> saveItemTexts;
  // When set, both run holding this data folder's lock.
  std::filesystem::path dataFolder;
};

// The program's savers: the store's working block into configBin and the
// captions of texts into the language's section of strIni, as one change
// (SaveSettingsAndCaptions in saveSettings; saveItemTexts stays empty).
ApplySavers FileSavers(const SettingsStore& store, std::filesystem::path configBin,
                       std::filesystem::path strIni, UiLanguage lang, const ItemTexts& texts);

// The lighting rules: the records as read from the mouse, changed by the
// block's lighting fields. Table 1 takes the DPI stage colours.
void ApplyLightingToRecords(const SettingsBlock& s, DeviceRecords& records);

// The eight DPI stage codes for the block and the sensor type: bit 7 marks a
// switched-off stage; stages 5-8 are always off. A stage position past the
// end of the sensor type's table sends the table's highest code.
DpiTable BuildDpiTable(const SettingsBlock& s, int sensorType);

// Sends report rate, lighting, DPI stages, macros and key matrices in the
// mouse's order, then runs both savers. Always runs to its end, whatever the
// mouse does; returns the number of transfers that failed.
unsigned ApplySettings(DeviceLink& link, const SettingsBlock& s, const ApplySavers& savers);

}  // namespace corvaline
