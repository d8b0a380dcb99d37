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

std::string CannotWrite(const std::filesystem::path& file, int error) {
  return "cannot write " + Utf8FromPath(file) + ": " + ReadErrorText(error);
}

// The new str.ini, or why it cannot be made.
std::optional<std::string> CaptionBytes(const SettingsBlock& block, const CaptionsToSave& c,
                                        std::string& problem, int& error) {
  if (problem = CaptionLengthProblem(c.captions); !problem.empty()) {
    error = 0;
    return std::nullopt;
  }
  auto bytes = IniBytesWithStrings(c.strIni, ItemSectionName(c.language),
                                   CaptionEntries(c.captions, CaptionCheck(block)), &error);
  if (!bytes) problem = "cannot read " + Utf8FromPath(c.strIni) + ": " + ReadErrorText(error);
  return bytes;
}

}  // namespace

Outcome CommitConfigAndCaptions(const std::filesystem::path& configBin, std::uint8_t firstRunFlag,
                                const SettingsBlock& block, const CaptionsToSave* captions) {
  int error = 0;
  auto fail = [](std::string text) { return Outcome::Failed(std::move(text)); };
  const std::filesystem::path folder =
      configBin.has_parent_path() ? configBin.parent_path() : std::filesystem::path(".");
  std::string lockError;
  const FileLock lock = LockDataFolder(folder, &lockError);
  if (!lock.Held())
    return fail(LockWasBusy(lockError) ? "the data files are busy: " + lockError : lockError);
  std::error_code ec;
  if (!std::filesystem::exists(configBin, ec))
    return fail(Utf8FromPath(configBin) + ": " + std::string(kConfigMissingText));
  // The old content, to put back should the second file fail.
  const auto old = ReadWholeFile(configBin, &error, kConfigFileSize);
  if (!old) return fail("cannot read " + Utf8FromPath(configBin) + ": " + ReadErrorText(error));

  std::optional<std::string> captionBytes;
  if (captions) {
    std::string problem;
    captionBytes = CaptionBytes(block, *captions, problem, error);
    if (!captionBytes) return fail(problem);
  }
  const auto config = StageFile(configBin, ConfigBytes(firstRunFlag, block), &error);
  if (!config) return fail(CannotWrite(configBin, error));
  std::optional<StagedFile> strIni;
  if (captionBytes) {
    strIni = StageFile(captions->strIni, *captionBytes, &error);
    if (!strIni) {
      DiscardStaged(*config);
      return fail(CannotWrite(captions->strIni, error));
    }
  }
  if (!CommitStaged(*config, &error)) {
    if (strIni) DiscardStaged(*strIni);
    return fail(CannotWrite(configBin, error));
  }
  if (strIni && !CommitStaged(*strIni, &error)) {
    const int strError = error;
    WriteFileAtomically(configBin, *old, &error);
    error = strError;
    return fail(CannotWrite(captions->strIni, error));
  }
  return {};
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
