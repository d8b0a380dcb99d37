#include "core/settings/config_commit.h"

#include <cstring>
#include <optional>
#include <system_error>

#include "core/settings/atomic_file.h"
#include "core/settings/config_file.h"
#include "core/settings/file_lock.h"
#include "core/settings/ini_file.h"
#include "core/settings/utf8_paths.h"
#include "core/system/captions.h"

namespace corvaline {
namespace {

std::string ConfigBytes(std::uint8_t firstRunFlag, const SettingsBlock& block) {
  std::string bytes(kConfigFileSize, '\0');
  bytes[0] = static_cast<char>(firstRunFlag);
  std::memcpy(bytes.data() + 1, &block, sizeof(SettingsBlock));
  return bytes;
}

Outcome CannotWrite(const std::filesystem::path& file, const Outcome& written) {
  return Outcome::Failed("cannot write " + Utf8FromPath(file) + ": " + written.Reason());
}

// The new str.ini, or why it cannot be made.
Result<std::string> CaptionBytes(const SettingsBlock& block, const CaptionsToSave& c) {
  if (Outcome fits = CheckCaptionLengths(c.captions); !fits) return fits;
  return IniBytesWithStrings(c.strIni, ItemSectionName(c.language),
                             CaptionEntries(c.captions, CaptionCheck(block)));
}

// Both files staged, then committed; config.bin's old bytes go back should
// str.ini's rename fail.
Outcome CommitBoth(const std::filesystem::path& configBin, const std::string& configBytes,
                   const std::string& old, const CaptionsToSave* captions,
                   const std::optional<std::string>& captionBytes) {
  const auto config = StageFile(configBin, configBytes);
  if (!config) return CannotWrite(configBin, config.AsOutcome());
  std::optional<StagedFile> strIni;
  if (captionBytes) {
    auto staged = StageFile(captions->strIni, *captionBytes);
    if (!staged) {
      DiscardStaged(*config);
      return CannotWrite(captions->strIni, staged.AsOutcome());
    }
    strIni = *staged;
  }
  if (Outcome done = CommitStaged(*config); !done) {
    if (strIni) DiscardStaged(*strIni);
    return CannotWrite(configBin, done);
  }
  if (strIni) {
    if (Outcome done = CommitStaged(*strIni); !done) {
      // Best effort: should even this fail, the check in str.ini makes every
      // reader remake the captions that no longer fit.
      static_cast<void>(WriteFileAtomically(configBin, old));
      return CannotWrite(captions->strIni, done);
    }
  }
  return {};
}

}  // namespace

Outcome CommitConfigAndCaptions(const std::filesystem::path& configBin, std::uint8_t firstRunFlag,
                                const SettingsBlock& block, const CaptionsToSave* captions) {
  auto fail = [](std::string text) { return Outcome::Failed(std::move(text)); };
  const std::filesystem::path folder =
      configBin.has_parent_path() ? configBin.parent_path() : std::filesystem::path(".");
  const auto lock = LockDataFolder(folder);
  if (!lock) return lock.AsOutcome();
  std::error_code ec;
  if (!std::filesystem::exists(configBin, ec))
    return fail(Utf8FromPath(configBin) + ": " + std::string(kConfigMissingText));
  // The old content, to put back should the second file fail.
  const auto old = ReadWholeFile(configBin, kConfigFileSize);
  if (!old) return fail("cannot read " + Utf8FromPath(configBin) + ": " + old.Reason());

  std::optional<std::string> captionBytes;
  if (captions) {
    auto bytes = CaptionBytes(block, *captions);
    if (!bytes) return bytes.AsOutcome();
    captionBytes = std::move(*bytes);
  }
  return CommitBoth(configBin, ConfigBytes(firstRunFlag, block), *old, captions, captionBytes);
}

SaveOutcome SaveSettingsAndCaptions(const SettingsStore& store, const std::filesystem::path& configBin,
                                    const CaptionsToSave& captions) {
  std::error_code ec;
  if (!std::filesystem::exists(configBin, ec)) {
    const Outcome missing = Outcome::Failed(std::string(kConfigMissingText), kAppTitle);
    return {missing, missing};
  }
  Outcome both = CommitConfigAndCaptions(configBin, 1, store.settings, &captions);
  if (both.Ok()) return {};
  return {SaveSettings(store, configBin), std::move(both)};
}

}  // namespace corvaline
