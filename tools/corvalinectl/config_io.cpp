#include "config_io.h"

#include <cstring>
#include <system_error>

#include "core/profiles/caption_repair.h"
#include "core/settings/atomic_file.h"
#include "core/settings/config_file.h"
#include "core/settings/utf8_paths.h"

namespace corvaline::cli {

SettingsStore LoadConfigOrFail(const std::filesystem::path& configBin) {
  auto bytes = ReadWholeFile(configBin, kConfigFileSize);
  if (!bytes) throw Failure("cannot read " + Utf8FromPath(configBin) + ": " + bytes.Reason());
  if (bytes->size() != kConfigFileSize) {
    throw Failure(Utf8FromPath(configBin) + " is " + std::to_string(bytes->size()) +
                  " bytes; a config.bin has exactly " + std::to_string(kConfigFileSize));
  }
  SettingsStore store;
  store.firstRunFlag = static_cast<std::uint8_t>((*bytes)[0]);
  std::memcpy(&store.settings, bytes->data() + 1, sizeof(SettingsBlock));
  TakeSnapshot(store);
  return store;
}

FileLock LockDataOrFail(const std::filesystem::path& configBin) {
  auto lock = LockDataFolder(configBin.has_parent_path() ? configBin.parent_path() : ".");
  return ValueOrThrow(std::move(lock));
}

void RepairCaptionsFile(const std::filesystem::path& configBin, std::ostream& err) {
  const ConfigFiles files = ConfigFiles::Beside(configBin);
  const auto bytes = ReadWholeFile(configBin, kConfigFileSize);
  if (!bytes || bytes->size() != kConfigFileSize) return;  // the command says why itself
  SettingsBlock block{};
  std::memcpy(&block, bytes->data() + 1, sizeof block);
  const Outcome repaired = RepairUnreadableStrIni(files.strIni, block, ReadLanguage(files.strIni), files.recordIni);
  if (!repaired) err << "corvalinectl: " << repaired.Reason() << '\n';
}

std::filesystem::path ConfigFileArgument(const std::string& value) {
  if (value.size() > 1 && value[0] == '-')
    throw UsageError("--config needs a file, not the option '" + value +
                     "' (a file of that name: ./" + value + ")");
  return PathFromUtf8(value);
}

std::filesystem::path ConfigArgument(const Invocation& inv, const ParsedArgs& args) {
  if (!args.positionals.empty()) return PathFromUtf8(args.positionals[0]);
  return ProgramDataFolder(inv.global).configBin;
}

}  // namespace corvaline::cli
