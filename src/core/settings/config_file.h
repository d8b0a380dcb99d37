// config.bin: the first-run byte followed by the SettingsBlock, 1986 bytes,
// nothing else. The program never creates it; a file of another size is
// ignored without a word.
#pragma once

#include <filesystem>
#include <string_view>

#include "core/settings/settings_block.h"

namespace corvaline {

inline constexpr std::size_t kConfigFileSize = 1 + sizeof(SettingsBlock);
static_assert(kConfigFileSize == 1986);

inline constexpr std::string_view kConfigMissingText = "Config file is not exist.";
inline constexpr std::string_view kSaveErrorCaption = "NULL ==fp ";

// Fills firstRunFlag and the working block from the file. A missing file is
// reported ("Config file is not exist."); a file of another size, or one that
// cannot be read, leaves the store as it was. Returns true when loaded.
bool LoadSettings(SettingsStore& store, const std::filesystem::path& configBin);

// The program's start: as above (a missing file also starts from
// factoryConfigBin), except that a config.bin that exists but
// cannot be loaded (another size, unreadable) is said once with the reason,
// copied beside itself as config.bin.damaged-YYYYMMDD-HHMMSS, and the
// store starts from factoryConfigBin instead of zeros, so the next Apply
// neither sends nor saves an empty block. Returns true when either loaded.
bool LoadSettings(SettingsStore& store, const std::filesystem::path& configBin,
                  const std::filesystem::path& factoryConfigBin);

// Writes the byte 1 and the working block. A missing file is reported and not
// created; a failed write is reported ("Error Code is: %d \n") and leaves the
// old file intact. The in-memory firstRunFlag is not changed. Returns true
// when saved.
bool SaveSettings(const SettingsStore& store, const std::filesystem::path& configBin);

// The same on the process-wide store and paths.
bool LoadSettings();
bool SaveSettings();

}  // namespace corvaline
