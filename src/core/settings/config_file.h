// config.bin: the first-run byte followed by the SettingsBlock, 1986 bytes,
// nothing else. The program never creates it; a file of another size is
// ignored without a word.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/outcome.h"
#include "core/settings/settings_block.h"

namespace corvaline {

inline constexpr std::size_t kConfigFileSize = 1 + sizeof(SettingsBlock);
static_assert(kConfigFileSize == 1986);

inline constexpr std::string_view kConfigMissingText = "Config file is not exist.";
inline constexpr std::string_view kSaveErrorCaption = "NULL ==fp ";

// What a load achieved, and what the user should be told about it (empty:
// nothing). A load from the factory settings is told although it loaded.
struct [[nodiscard]] LoadedSettings {
  bool loaded = false;
  std::string notice;
  explicit operator bool() const { return loaded; }
};

// Fills firstRunFlag and the working block from the file. A missing file is
// told ("Config file is not exist."); a file of another size, or one that
// cannot be read, leaves the store as it was.
LoadedSettings LoadSettings(SettingsStore& store, const std::filesystem::path& configBin);

// The program's start: as above (a missing file also starts from
// factoryConfigBin), except that a config.bin that exists but
// cannot be loaded (another size, unreadable) is told once with the reason,
// copied beside itself as config.bin.damaged-YYYYMMDD-HHMMSS, and the
// store starts from factoryConfigBin instead of zeros, so the next Apply
// neither sends nor saves an empty block. Loaded when either loaded.
LoadedSettings LoadSettings(SettingsStore& store, const std::filesystem::path& configBin,
                            const std::filesystem::path& factoryConfigBin);

// Writes the byte 1 and the working block. A missing file is not created
// ("Config file is not exist."); a failed write ("Error Code is: %d \n",
// caption "NULL ==fp ") leaves the old file intact. The in-memory
// firstRunFlag is not changed.
Outcome SaveSettings(const SettingsStore& store, const std::filesystem::path& configBin);

// The same on the process-wide store and paths.
LoadedSettings LoadSettings();
Outcome SaveSettings();

}  // namespace corvaline
