#include "core/device/apply.h"

#include <cstring>
#include <memory>

#include "core/buttons/button_action.h"
#include "core/device/commands.h"
#include "core/device/talk_lock.h"
#include "core/settings/config_commit.h"
#include "core/settings/config_file.h"
#include "core/settings/file_lock.h"
#include "core/i18n/ui_strings.h"
#include "core/settings/utf8_paths.h"
#include "core/settings/value_tables.h"

namespace corvaline {

namespace {
// A saver's own failure, told in the user's language; a lock that could not
// be had, or a config.bin that is gone, carries its own text instead.
constexpr char kSaverFailed[] = "could not be saved";

// What Apply tells of a save: a config.bin that no longer exists in the
// program's own words, any other failure by the files it names.
Outcome AsSaverResult(const Outcome& saved) {
  if (saved.Ok() || saved.Reason() == kConfigMissingText) return saved;
  return Outcome::Failed(kSaverFailed);
}
}  // namespace

ApplySavers FileSavers(const SettingsStore& store, std::filesystem::path configBin,
                       std::filesystem::path strIni, UiLanguage lang, const ItemTexts& texts) {
  ApplySavers savers;
  savers.dataFolder = configBin.parent_path();
  std::error_code ec;
  if (!std::filesystem::exists(strIni, ec)) {
    savers.saveSettings = [&store, configBin = std::move(configBin)] {
      return AsSaverResult(SaveSettings(store, configBin));
    };
    return savers;
  }
  // One change for both files, so the captions never describe another block;
  // the captions' own result is handed on by the second step.
  auto captionsSaved = std::make_shared<Outcome>();
  savers.saveSettings = [&store, configBin = std::move(configBin), strIni = std::move(strIni), lang, &texts,
                         captionsSaved] {
    const SaveOutcome saved = SaveSettingsAndCaptions(store, configBin, {strIni, lang, texts.captions});
    *captionsSaved = AsSaverResult(saved.captions);
    return AsSaverResult(saved.settings);
  };
  savers.saveItemTexts = [captionsSaved] { return *captionsSaved; };
  return savers;
}

void ApplyLightingToRecords(const SettingsBlock& s, DeviceRecords& records) {
  EffectRecord& effect = records.effect;
  LedTimingRecord& timing = records.ledTiming[0];
  switch (s.ledEffect) {
    case 1:  // Standard: steady light at the chosen brightness
      effect = EffectRecord{1, static_cast<std::uint8_t>(s.ledStandardBrightness + 1), 2};
      timing.mode = 1;
      break;
    case 2:  // Respiration
      effect.effect = 2;
      effect.option1 = static_cast<std::uint8_t>(s.ledRespirationSpeed + 1);
      if (s.ledRespirationOption == 1) {
        effect.option2 = 2;
        timing.mode = 1;
      } else if (s.ledRespirationOption == 2) {
        effect.option2 = 3;
        timing = LedTimingRecord{2, 125, 3};
      }
      break;
    case 3:  // Neon: the mouse's own Option2 stays
      effect.effect = 3;
      effect.option1 = static_cast<std::uint8_t>(s.ledNeonPeriod + 1);
      if (s.ledNeonOption == 2)
        timing = LedTimingRecord{2, 100, 10};
      else if (s.ledNeonOption == 3)
        timing = LedTimingRecord{3, 5, 5};
      break;
    default:  // Off: the mouse keeps what it has
      break;
  }
  LedColourTable& stageColours = records.colourTables[1];
  stageColours.fill(0);
  std::memcpy(stageColours.data(), s.dpiStageColour, sizeof(s.dpiStageColour));
}

DpiTable BuildDpiTable(const SettingsBlock& s, int sensorType) {
  DpiTable table;
  table.fill(kDpiStageOff);
  const int levels = DpiTableLevels(sensorType);
  for (int stage = 0; stage < kDpiStages; ++stage) {
    std::uint8_t code = 0;  // a sensor type without a table
    if (levels > 0) code = DpiCode(sensorType, std::min<int>(s.dpiStageIndex[stage], levels - 1));
    table[stage] = s.dpiStageEnabled[stage] == 0 ? (code | kDpiStageOff) : (code & ~kDpiStageOff);
  }
  return table;
}

namespace {

void StageKeyMatrices(const SettingsBlock& s, DeviceRecords& records) {
  std::memset(records.keyMatrix, 0, sizeof(records.keyMatrix));
  const KeyMatrixTable modeA = SerializeKeyMatrix(BuildKeyMatrix(s, KeyGroup::ModeA));
  const KeyMatrixTable modeB = SerializeKeyMatrix(BuildKeyMatrix(s, KeyGroup::ModeB));
  // Matrix 1 is Mode A, matrix 3 Mode B; 2 and 4 stay empty.
  std::memcpy(records.keyMatrix[0], modeA.data(), kKeyMatrixBytes);
  std::memcpy(records.keyMatrix[2], modeB.data(), kKeyMatrixBytes);
}

void SendBlock(DeviceLink& link, const SettingsBlock& s) {
  DeviceRecords& records = link.records;
  const PauseRun pauses(link.sleeper);

  WriteReportRate(link, s.reportRateCode);

  ReadEffect(link);
  ReadLedTiming(link);
  TransferColourTables(link, false);
  ApplyLightingToRecords(s, records);
  TransferColourTables(link, true);
  WriteLedTiming(link);
  WriteEffect(link);

  records.dpiTable = BuildDpiTable(s, link.sensorType);
  WriteDpiStages(link);

  std::memset(&records.macroStaging, 0, sizeof(records.macroStaging));
  static_assert(sizeof(records.macroStaging) == sizeof(s.macroArea));
  std::memcpy(&records.macroStaging, s.macroArea, sizeof(s.macroArea));
  TransferMacros(link, true);
  TransferMacros(link, false);

  StageKeyMatrices(s, records);
  WriteKeyMatrixTables(link);
}

}  // namespace

ApplyReport ApplySettings(DeviceLink& link, const SettingsBlock& s, const ApplySavers& savers) {
  ApplyReport report;
  const unsigned failedBefore = link.failedTransfers;
  if (const auto hold = HoldTalk(link)) {
    SendBlock(link, s);
  } else {
    // Another program is in the middle of its own exchange: nothing of this
    // Apply goes out; the settings are still saved and the user told.
    report.sent = hold.AsOutcome();
    ++link.failedTransfers;
  }
  report.failedTransfers = link.failedTransfers - failedBefore;

  // Both saves under the data folder's lock: a corvalinectl edit lands
  // before or after them, never between its own read and write.
  Result<FileLock> lock = FileLock();
  if (!savers.dataFolder.empty()) {
    lock = LockDataFolder(savers.dataFolder);
    if (!lock) {
      report.settingsSaved = Outcome::Failed("The settings were not saved: " + lock.Reason());
      report.captionsSaved = report.settingsSaved;
      return report;
    }
  }
  if (savers.saveSettings) {
    report.settingsSaved = savers.saveSettings();
    report.settingsWritten = report.settingsSaved.Ok();
  }
  if (savers.saveItemTexts) report.captionsSaved = savers.saveItemTexts();
  return report;
}

std::vector<std::string> ApplyProblemTexts(const ApplyReport& report, UiLanguage lang,
                                           const std::filesystem::path& configBin,
                                           const std::filesystem::path& strIni) {
  std::vector<std::string> texts;
  if (!report.sent) texts.push_back(report.sent.Reason());
  const bool saved = report.settingsSaved.Ok();
  if (report.failedTransfers > 0) {
    std::string t = FilledText(ShellText::TransfersFailed, std::to_string(report.failedTransfers), lang);
    // The transfers never stop half-way; what the user can do next depends
    // on whether the disk has the settings.
    if (report.settingsWritten) t += (lang == UiLanguage::EN ? " " : "") + std::string(UiText(ShellText::SavedTryAgain, lang));
    texts.push_back(std::move(t));
  }
  if (!saved && report.settingsSaved.Reason() != kSaverFailed) {
    texts.push_back(report.settingsSaved.Reason());
  } else if (!saved) {
    std::string files = Utf8FromPath(configBin);
    if (!report.captionsSaved.Ok()) files += ", " + Utf8FromPath(strIni);
    texts.push_back(FilledText(ShellText::SettingsNotSaved, files, lang));
  } else if (!report.captionsSaved.Ok()) {
    texts.push_back(FilledText(ShellText::CaptionsNotSaved, Utf8FromPath(strIni), lang));
  }
  return texts;
}

}  // namespace corvaline
