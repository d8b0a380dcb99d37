#include "core/settings/utf8_paths.h"
#include "core/settings/config_file.h"

#include <cstring>
#include <ctime>
#include <string>
#include <system_error>

#include "core/settings/atomic_file.h"
#include "core/settings/data_paths.h"
#include "core/system/captions.h"

namespace corvaline {

namespace {

// The file's settings into the store; otherwise why they could not be read:
// with the system's Code() when the file could not be read at all, without
// one when its bytes are no config.bin.
Outcome ReadInto(SettingsStore& store, const std::filesystem::path& configBin) {
  const auto bytes = ReadWholeFile(configBin, kConfigFileSize);
  if (!bytes && bytes.Code() == kReadTooLarge) return Outcome::Failed("it is larger than 1986 bytes");
  if (!bytes) return Outcome::Error(bytes.Code() ? bytes.Code() : EIO, bytes.Reason());
  if (bytes->size() != kConfigFileSize)
    return Outcome::Failed("it is " + std::to_string(bytes->size()) + " bytes, not 1986");
  store.firstRunFlag = static_cast<std::uint8_t>((*bytes)[0]);
  std::memcpy(&store.settings, bytes->data() + 1, sizeof(SettingsBlock));
  store.loaded = true;
  return {};
}

// Copies the damaged file to config.bin.damaged-<local time>; the name, or
// empty when it could not be kept. A copy of the same bytes kept by an
// earlier start is named instead of made again; a name already taken (even
// by a dangling link) is never written through.
std::filesystem::path KeepDamaged(const std::filesystem::path& configBin) {
  namespace fs = std::filesystem;
  const auto bytes = ReadWholeFile(configBin);
  if (!bytes) return {};  // nothing readable to keep: it stays where it is
  std::error_code ec;
  const std::string prefix = Utf8FromPath(configBin.filename()) + ".damaged-";
  const fs::path folder = configBin.has_parent_path() ? configBin.parent_path() : fs::path(".");
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (Utf8FromPath(it->path().filename()).rfind(prefix, 0) != 0 || it->is_symlink(ec)) continue;
    if (const auto other = ReadWholeFile(it->path()); other && *other == *bytes) return it->path();
  }
  const std::time_t now = std::time(nullptr);
  char stamp[32] = {};
  if (const std::tm* local = std::localtime(&now))
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", local);
  for (int n = 0; n < 100; ++n) {
    fs::path kept = configBin;
    kept += std::string(".damaged-") + stamp + (n ? "-" + std::to_string(n) : std::string());
    if (fs::exists(fs::symlink_status(kept, ec))) continue;
    // Renamed into place: a link planted meanwhile is replaced, never followed.
    if (WriteFileAtomically(kept, *bytes)) return kept;
    return {};
  }
  return {};
}

}  // namespace

LoadedSettings LoadSettings(SettingsStore& store, const std::filesystem::path& configBin) {
  std::error_code ec;
  if (!std::filesystem::exists(configBin, ec)) return {false, std::string(kConfigMissingText)};
  const Outcome read = ReadInto(store, configBin);
  if (read.Code() != 0) return {false, "Config file cannot be read (" + read.Reason() + ")."};
  return {read.Ok(), {}};
}

LoadedSettings LoadSettings(SettingsStore& store, const std::filesystem::path& configBin,
                            const std::filesystem::path& factoryConfigBin) {
  const bool fromFactory = !factoryConfigBin.empty();
  std::error_code ec;
  if (!std::filesystem::exists(configBin, ec)) {
    // The file is still never created, but what the mouse gets starts from
    // the factory settings rather than an empty block.
    return {fromFactory && ReadInto(store, factoryConfigBin).Ok(), std::string(kConfigMissingText)};
  }
  const Outcome read = ReadInto(store, configBin);
  if (read) return {true, {}};
  const std::filesystem::path kept = KeepDamaged(configBin);
  const bool factory = fromFactory && ReadInto(store, factoryConfigBin).Ok();
  std::string text = "config.bin could not be loaded: " + std::string(read.Code() ? "it cannot be read: " : "") +
                     read.Reason() + ". ";
  text += factory ? "The factory settings are used instead; "
                  : "The factory settings could not be read either; ";
  text += kept.empty() ? "the damaged file could not be copied aside and is left as it is."
                       : "the damaged file is kept as " + Utf8FromPath(kept.filename()) + ".";
  return {factory, std::move(text)};
}

Outcome SaveSettings(const SettingsStore& store, const std::filesystem::path& configBin) {
  std::error_code ec;
  if (!std::filesystem::exists(configBin, ec)) return Outcome::Failed(std::string(kConfigMissingText), kAppTitle);
  std::string bytes(kConfigFileSize, '\0');
  bytes[0] = 1;  // written by the program: the first-run reset is done
  std::memcpy(bytes.data() + 1, &store.settings, sizeof(SettingsBlock));
  if (const Outcome written = WriteFileAtomically(configBin, bytes); !written)
    return Outcome::Failed("Error Code is: " + std::to_string(written.Code()) + " \n", kSaveErrorCaption);
  return {};
}

LoadedSettings LoadSettings() {
  return LoadSettings(Settings(), DataFiles().configBin, DataFiles().factoryConfigBin);
}
Outcome SaveSettings() { return SaveSettings(Settings(), DataFiles().configBin); }

}  // namespace corvaline
