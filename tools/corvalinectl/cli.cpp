#include "cli.h"

#include <algorithm>
#include <charconv>
#include <exception>
#include <iostream>
#include <map>
#include <ostream>
#include <utility>

#include "core/settings/data_paths.h"
#include "core/settings/item_texts.h"
#include "platform/durable_io.h"
#include "platform/process.h"
#include "platform/user_folder.h"

namespace corvaline::cli {
namespace {

constexpr const char* kUsage =
    "usage: corvalinectl [GLOBAL OPTIONS] COMMAND [COMMAND OPTIONS]\n"
    "\n"
    "Configure and inspect the CORVALINE gaming mouse (USB 04d9:a09f).\n"
    "\n"
    "Commands:\n"
    "  list                      the mouse's HID collections and why one cannot be used\n"
    "  info                      handshake result and sensor information\n"
    "  apply [CONFIG.bin]        send a configuration to the mouse and save it\n"
    "  show [CONFIG.bin]         print a configuration in words (--json for scripts)\n"
    "  encode-macros RECORD.ini CONFIG.bin\n"
    "                            re-encode the macros of CONFIG.bin from RECORD.ini\n"
    "  watch                     print the events the mouse announces until interrupted\n"
    "  set SETTING ...           change a setting with the program's rules (see 'set --help')\n"
    "  export FILE.json|-        the whole configuration as a JSON profile\n"
    "  import FILE.json|-        a JSON profile into the configuration (checked first)\n"
    "  profile save|load|list|delete [NAME]\n"
    "                            named profiles in the data folder's profiles/\n"
    "  auto add|remove|list|default|on|off|delay\n"
    "                            which profile the mouse gets when an application has the focus\n"
    "  autostart on|off          start the program in the tray at login, or not\n"
    "  language CHS|CHT|EN       the program's language, from its next start\n"
    "\n"
    "Global options (before the command):\n"
    "  --simulate                use an in-process virtual mouse instead of the system's devices\n"
    "  --sensor-type N           sensor type of the virtual mouse (0..3 and above); with show:\n"
    "                            the DPI table to print values from\n"
    "  --device PATH             use only this device path (as `list` prints it)\n"
    "  --trace                   print the traffic with the mouse on stderr\n"
    "  --lang CHS|CHT|EN         language of the printed words (default: str.ini's)\n"
    "  --version                 the version of the program\n"
    "  -h, --help                this text; `corvalinectl COMMAND --help` for a command\n"
    "\n"
    "CONFIG.bin defaults to the program's own config.bin.\n"
    "Exit status: 0 success, 1 failure or a change the program's rules refuse,\n"
    "2 usage error or a value that does not exist.\n";

int ParseInt(const std::string& text, const std::string& option) {
  int value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < 0 || value > 255)
    throw UsageError(option + " takes a number from 0 to 255, not '" + text + "'");
  return value;
}

// Global options up to the command; returns the index of the command.
int ParseGlobals(int argc, char** argv, GlobalOptions& g) {
  int i = 1;
  auto value = [&](const std::string& option) -> std::string {
    if (i + 1 >= argc) throw UsageError(option + " needs a value");
    return argv[++i];
  };
  for (; i < argc; ++i) {
    const std::string a = argv[i];
    if (a.empty() || a[0] != '-') break;
    if (a == "--simulate") g.simulate = true;
    else if (a == "--trace") g.trace = true;
    else if (a == "--sensor-type") g.sensorType = ParseInt(value(a), a);
    else if (a == "--device") g.devicePath = value(a);
    else if (a == "--lang") {
      const std::string code = value(a);
      if (code != "CHS" && code != "CHT" && code != "EN")
        throw UsageError("--lang takes CHS, CHT or EN, not '" + code + "'");
      g.lang = LanguageFromCode(code);
    } else if (a == "-h" || a == "--help") return -1;
    else if (a == "--version") return -2;
    else throw UsageError("unknown option '" + a + "'");
  }
  return i;
}

}  // namespace

const char* Version() { return CORVALINE_VERSION; }

bool WantsHelp(const std::vector<std::string>& args) {
  return std::any_of(args.begin(), args.end(),
                     [](const std::string& a) { return a == "--help" || a == "-h"; });
}

bool ParsedArgs::Has(const std::string& flag) const {
  return std::find(flags.begin(), flags.end(), flag) != flags.end();
}

ParsedArgs ParseArgs(const std::vector<std::string>& args, const std::vector<std::string>& known,
                     std::size_t maxPositionals) {
  ParsedArgs parsed;
  for (const std::string& a : args) {
    if (a.size() > 1 && a[0] == '-') {
      if (std::find(known.begin(), known.end(), a) == known.end())
        throw UsageError("unknown option '" + a + "'");
      parsed.flags.push_back(a);
    } else {
      parsed.positionals.push_back(a);
    }
  }
  if (parsed.positionals.size() > maxPositionals)
    throw UsageError("unexpected argument '" + parsed.positionals[maxPositionals] + "'");
  return parsed;
}

DataFolder ProgramDataFolder(const GlobalOptions& g) {
  const DataPaths paths = ResolveDataPaths(g.exePath, platform::UserDataFolder());
  static bool told = false;  // once per command, however often it asks
  if (paths.perUserFolder) {
    const std::string problem = FillDataFolder(paths.programFolder, InstalledDefaultsFolder(g.exePath));
    if (!problem.empty() && !std::exchange(told, true))
      std::cerr << "corvalinectl: warning: the data folder could not be filled: " << problem << '\n';
  }
  return {paths.configBin, paths.strIni, paths.recordIni};
}

UiLanguage OutputLanguage(const GlobalOptions& g) {
  if (g.lang) return *g.lang;
  return ReadLanguage(ProgramDataFolder(g).strIni);
}

int Main(int argc, char** argv, std::ostream& out, std::ostream& err) {
  platform::InstallSystemDurableIo();
  GlobalOptions g;
  g.exePath = platform::ExecutablePath();
  using Runner = int (*)(Invocation&);
  static const std::map<std::string, Runner> kCommands = {
      {"list", RunList},   {"info", RunInfo},   {"apply", RunApply},
      {"show", RunShow},   {"encode-macros", RunEncodeMacros}, {"watch", RunWatch},
      {"set", RunSet},     {"export", RunExport}, {"import", RunImport},
      {"profile", RunProfile}, {"autostart", RunAutostart}, {"language", RunLanguage},
      {"auto", RunAuto}};
  std::string help = "corvalinectl --help";  // where a usage error points
  try {
    const int at = ParseGlobals(argc, argv, g);
    if (at == -2) {
      out << "corvalinectl " << Version() << '\n';
      return kExitOk;
    }
    if (at < 0) {
      out << kUsage;
      return kExitOk;
    }
    if (at >= argc) throw UsageError("no command given");
    auto command = kCommands.find(argv[at]);
    if (command == kCommands.end()) throw UsageError(std::string("unknown command '") + argv[at] + "'");
    help = "corvalinectl " + command->first + " --help";
    Invocation inv{g, std::vector<std::string>(argv + at + 1, argv + argc), out, err};
    return command->second(inv);
  } catch (const UsageError& e) {
    err << "corvalinectl: " << e.what() << " (see '" << help << "')\n";
    return kExitUsage;
  } catch (const Failure& e) {
    err << "corvalinectl: " << e.what() << '\n';
    return kExitFailure;
  } catch (const std::exception& e) {
    err << "corvalinectl: " << e.what() << '\n';
    return kExitFailure;
  }
}

}  // namespace corvaline::cli
