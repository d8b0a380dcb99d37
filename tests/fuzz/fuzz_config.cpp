// config.bin from any bytes: loading never reads past the file and leaves
// the store alone for a file of the wrong size; whatever loads can be shown
// (text and JSON, every language) and turned into KeyMatrix words.
//
// Input: one control byte, then the file. Beyond 1986 bytes the rest is
// the record.ini beside it, whose section names the show prints.
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "cli.h"
#include "core/buttons/button_action.h"
#include "core/settings/config_file.h"
#include "fuzz_support.h"

using namespace corvaline;

namespace {

void RunShow(const std::string& config, std::uint8_t control) {
  static const char* const kLangs[] = {"EN", "CHS", "CHT"};
  std::vector<std::string> args = {"corvalinectl", "--lang", kLangs[control % 3], "show",
                                   config};
  if (control & 0x10) args.emplace_back("--json");
  if (control & 0x20) {
    args.insert(args.begin() + 1, {"--sensor-type", std::to_string((control >> 6) & 3)});
  }
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  std::ostringstream out, err;
  const int status = cli::Main(static_cast<int>(argv.size()), argv.data(), out, err);
  FUZZ_CHECK(status == cli::kExitOk);
  FUZZ_CHECK(!out.str().empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t control = data[0];
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::filesystem::path dir = fuzz::ScratchDir();
  const std::filesystem::path config = dir / "config.bin";
  const std::filesystem::path record = dir / "record.ini";

  // The whole rest as the file: only a file of exactly the right size loads.
  fuzz::WriteFile(config, rest);
  SettingsStore store;
  std::memset(&store.settings, 0x5A, sizeof store.settings);
  store.firstRunFlag = 0xA5;
  const SettingsStore before = store;
  const bool loaded = LoadSettings(store, config).loaded;
  FUZZ_CHECK(loaded == (rest.size() == kConfigFileSize));
  if (!loaded) {
    FUZZ_CHECK(std::memcmp(&store, &before, sizeof store) == 0);
  }

  // Then the first 1986 bytes (zero-padded) with the rest as record.ini.
  std::string file(rest.substr(0, kConfigFileSize));
  file.resize(kConfigFileSize, '\0');
  fuzz::WriteFile(config, file);
  std::error_code ec;
  if (rest.size() > kConfigFileSize)
    fuzz::WriteFile(record, rest.substr(kConfigFileSize));
  else
    std::filesystem::remove(record, ec);
  FUZZ_CHECK(LoadSettings(store, config));
  FUZZ_CHECK(std::memcmp(&store.settings, file.data() + 1, sizeof store.settings) == 0);
  for (KeyGroup g : {KeyGroup::ModeA, KeyGroup::ModeB}) {
    const KeyMatrix m = BuildKeyMatrix(store.settings, g);
    const KeyMatrixTable t = SerializeKeyMatrix(m);
    FUZZ_CHECK(t.size() == 64);
  }
  (void)BuildKeyMatrixTables(store.settings);
  RunShow(config.string(), control);
  return 0;
}
