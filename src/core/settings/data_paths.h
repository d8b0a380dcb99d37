// Where the program's data files live.
//
// An executable named "CORVALINEX01.exe" keeps its files beside itself: every
// occurrence of that name in its path is replaced by the file's name, as the
// Windows program always did. Any other executable never reads or writes
// itself as data: it uses its own folder when that folder holds a config.bin
// (a portable install), otherwise the per-user folder the system gives
// (%APPDATA%\corvaline on Windows, ~/.config/corvaline on Linux) that the
// first start fills from the installed defaults.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "core/i18n/ui_language.h"
#include "core/outcome.h"

namespace corvaline {

inline constexpr std::string_view kWindowsExeName = "CORVALINEX01.exe";

struct DataPaths {
  std::filesystem::path programFolder;  // the folder holding the data files and Skins/
  std::filesystem::path configBin;
  std::filesystem::path recordIni;
  std::filesystem::path strIni;
  std::filesystem::path skinsFolder;     // programFolder / "Skins"
  bool perUserFolder = false;            // true when programFolder is the per-user folder
  // The delivered config.bin, the factory settings a damaged config.bin
  // gives way to; empty when unknown.
  std::filesystem::path factoryConfigBin;
};

// The installed defaults next to an executable: <exe dir>/../share/corvaline.
std::filesystem::path InstalledDefaultsFolder(const std::filesystem::path& exePath);

// Decides the data folder for this executable (see above). `userFolder` is
// the per-user folder (the platform layer's UserDataFolder).
DataPaths ResolveDataPaths(const std::filesystem::path& exePath,
                           const std::filesystem::path& userFolder);

// Copies what the per-user folder lacks from the defaults folder: config.bin,
// str.ini and every skin folder. A skin folder is copied under a temporary
// name and renamed when whole; a skin folder that is there gets the files it
// lacks, or holds cut short by an earlier copy. Nothing else present is
// overwritten. When this
// fill makes the folder's str.ini, `firstStartLanguage` (the system's, see
// LanguageFromLocale) becomes its "Lan" unless the delivered file has one.
Outcome FillDataFolder(const std::filesystem::path& folder, const std::filesystem::path& defaultsFolder,
                       std::optional<UiLanguage> firstStartLanguage = std::nullopt);

// The process-wide paths, set once by the front end at start-up.
const DataPaths& DataFiles();
void SetDataFiles(const DataPaths& paths);

}  // namespace corvaline
