#include "core/settings/data_paths.h"

#include <cerrno>
#include <system_error>

#include "core/i18n/system_language.h"
#include "core/settings/atomic_file.h"
#include "core/settings/utf8_paths.h"

namespace corvaline {
namespace {

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

DataPaths InFolder(const std::filesystem::path& folder) {
  DataPaths p;
  p.programFolder = folder;
  p.configBin = folder / "config.bin";
  p.recordIni = folder / "record.ini";
  p.strIni = folder / "str.ini";
  p.skinsFolder = folder / "Skins";
  return p;
}

DataPaths& ProcessPaths() {
  static DataPaths paths;
  return paths;
}

// True when `file` is missing, or holds the first bytes of `installed` only
// (a copy cut short): a file of the user's own is never replaced.
bool CutShort(const std::filesystem::path& file, const std::filesystem::path& installed) {
  std::error_code ec;
  if (!std::filesystem::exists(std::filesystem::symlink_status(file, ec))) return true;
  const auto size = std::filesystem::file_size(file, ec);
  const auto full = std::filesystem::file_size(installed, ec);
  if (ec || size >= full) return false;
  const auto have = ReadWholeFile(file);
  const auto want = ReadWholeFile(installed);
  return have && want && want->compare(0, have->size(), *have) == 0;
}

// A skin folder that is missing is copied under a temporary name and renamed
// when whole; one that exists gets the files it lacks (or holds cut short)
// from the installed skin.
Outcome FillSkin(const std::filesystem::path& from, const std::filesystem::path& to) {
  namespace fs = std::filesystem;
  std::error_code ec;
  auto failed = [&](const fs::path& what) {
    return Outcome::Failed("cannot copy " + Utf8FromPath(what) + ": " + ec.message());
  };
  if (!fs::exists(to, ec)) {
    fs::path partial = to;
    partial += ".partial";
    fs::remove_all(partial, ec);
    fs::create_directories(to.parent_path(), ec);
    fs::copy(from, partial, fs::copy_options::recursive, ec);
    if (!ec) fs::rename(partial, to, ec);
    if (!ec) return {};
    Outcome why = failed(from);
    fs::remove_all(partial, ec);
    return why;
  }
  for (const auto& entry : fs::recursive_directory_iterator(from, ec)) {
    const fs::path target = to / fs::relative(entry.path(), from, ec);
    if (entry.is_directory()) {
      fs::create_directories(target, ec);
    } else if (CutShort(target, entry.path())) {
      // Written whole beside it and moved over it, as every save is: a copy
      // over an existing file is refused on some systems.
      const auto bytes = ReadWholeFile(entry.path());
      const Outcome copied = bytes ? WriteFileAtomically(target, *bytes) : bytes.AsOutcome();
      if (!copied) ec = std::error_code(copied.Code() ? copied.Code() : EIO, std::generic_category());
    }
    if (ec) return failed(entry.path());
  }
  return {};
}

}  // namespace

std::filesystem::path InstalledDefaultsFolder(const std::filesystem::path& exePath) {
  return (exePath.parent_path() / ".." / "share" / "corvaline").lexically_normal();
}

namespace {

DataPaths ResolveFolder(const std::filesystem::path& exePath,
                        const std::filesystem::path& userFolder) {
  if (exePath.filename() == kWindowsExeName) {
    const std::string module = Utf8FromPath(exePath);
    DataPaths p = InFolder(exePath.parent_path());
    p.configBin = PathFromUtf8(ReplaceAll(module, kWindowsExeName, "config.bin"));
    p.recordIni = PathFromUtf8(ReplaceAll(module, kWindowsExeName, "record.ini"));
    p.strIni = PathFromUtf8(ReplaceAll(module, kWindowsExeName, "str.ini"));
    return p;
  }
  std::error_code ec;
  if (std::filesystem::is_regular_file(exePath.parent_path() / "config.bin", ec))
    return InFolder(exePath.parent_path());
  DataPaths p = InFolder(userFolder);
  p.perUserFolder = true;
  return p;
}

}  // namespace

DataPaths ResolveDataPaths(const std::filesystem::path& exePath,
                           const std::filesystem::path& userFolder) {
  DataPaths p = ResolveFolder(exePath, userFolder);
  p.factoryConfigBin = InstalledDefaultsFolder(exePath) / "config.bin";
  return p;
}

Outcome FillDataFolder(const std::filesystem::path& folder, const std::filesystem::path& defaultsFolder,
                       std::optional<UiLanguage> firstStartLanguage) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec) return Outcome::Failed("cannot create " + Utf8FromPath(folder) + ": " + ec.message());
  const bool firstStrIni = !fs::exists(folder / "str.ini", ec);
  for (const char* name : {"config.bin", "str.ini"}) {
    const fs::path from = defaultsFolder / name;
    const fs::path to = folder / name;
    if (fs::exists(to, ec) || !fs::exists(from, ec)) continue;
    fs::copy_file(from, to, ec);
    if (ec) return Outcome::Failed("cannot copy " + Utf8FromPath(from) + ": " + ec.message());
  }
  // Without it the program is in English, as it would be anyway: a failed
  // write needs no word.
  if (firstStrIni && firstStartLanguage) SetFirstStartLanguage(folder / "str.ini", *firstStartLanguage);
  const fs::path skins = defaultsFolder / "Skins";
  if (!fs::is_directory(skins, ec)) return {};
  for (const auto& entry : fs::directory_iterator(skins, ec)) {
    if (!entry.is_directory()) continue;
    if (Outcome filled = FillSkin(entry.path(), folder / "Skins" / entry.path().filename()); !filled)
      return filled;
  }
  return {};
}

const DataPaths& DataFiles() { return ProcessPaths(); }
void SetDataFiles(const DataPaths& paths) { ProcessPaths() = paths; }

}  // namespace corvaline
