#include "core/settings/config_file.h"

#include <cstring>
#include <string>
#include <system_error>

#include "core/settings/atomic_file.h"
#include "core/settings/data_paths.h"
#include "core/system/messages.h"

namespace corvaline {

bool LoadSettings(SettingsStore& store, const std::filesystem::path& configBin) {
  std::error_code ec;
  if (!std::filesystem::exists(configBin, ec)) {
    ShowMessage(kConfigMissingText, kAppTitle);
    return false;
  }
  int error = 0;
  auto bytes = ReadWholeFile(configBin, &error, kConfigFileSize);
  if (!bytes && error == kReadTooLarge) return false;  // another size: ignored
  if (!bytes) {
    ShowMessage("Config file cannot be read (error " + std::to_string(error) + ").", kAppTitle);
    return false;
  }
  if (bytes->size() != kConfigFileSize) return false;
  store.firstRunFlag = static_cast<std::uint8_t>((*bytes)[0]);
  std::memcpy(&store.settings, bytes->data() + 1, sizeof(SettingsBlock));
  return true;
}

bool SaveSettings(const SettingsStore& store, const std::filesystem::path& configBin) {
  std::error_code ec;
  if (!std::filesystem::exists(configBin, ec)) {
    ShowMessage(kConfigMissingText, kAppTitle);
    return false;
  }
  std::string bytes(kConfigFileSize, '\0');
  bytes[0] = 1;  // written by the program: the first-run reset is done
  std::memcpy(bytes.data() + 1, &store.settings, sizeof(SettingsBlock));
  int error = 0;
  if (!WriteFileAtomically(configBin, bytes, &error)) {
    ShowMessage("Error Code is: " + std::to_string(error) + " \n", kSaveErrorCaption);
    return false;
  }
  return true;
}

bool LoadSettings() { return LoadSettings(Settings(), DataFiles().configBin); }
bool SaveSettings() { return SaveSettings(Settings(), DataFiles().configBin); }

}  // namespace corvaline
