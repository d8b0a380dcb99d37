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
    "Global options (before or after the command):\n"
    "  --simulate                use an in-process virtual mouse instead of the system's devices\n"
    "  --sensor-type N           sensor type of the virtual mouse (0..3 and above); with show:\n"
    "                            the DPI table to print values from\n"
    "  --device PATH             use only this device path (as `list` prints it)\n"
    "  --trace                   print the traffic with the mouse on stderr\n"
    "  --lang CHS|CHT|EN         language of watch's notifications and of the captions\n"
    "                            apply saves (default: str.ini's); show's words are the\n"
    "                            same in every language\n"
    "  --version                 the version of the program\n"
    "  -h, --help                this text; `corvalinectl COMMAND --help` for a command\n"
    "\n"
    "CONFIG.bin defaults to the program's own config.bin.\n"
    "Exit status, the same in every command: 0 done; 1 a file, the system or the mouse\n"
    "failed; 2 the command line is wrong or names a value that does not exist; 3 a rule\n"
    "of the program refuses the change (nothing is written); 4 no such profile, macro\n"
    "or rule.\n";

int ParseInt(const std::string& text, const std::string& option) {
  int value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < 0 || value > 255)
    throw UsageError(option + " takes a number from 0 to 255, not '" + text + "'");
  return value;
}

// The global option at args[i], its value taken after it; false when
// args[i] is none.
bool TakeGlobal(const std::vector<std::string>& args, std::size_t& i, GlobalOptions& g) {
  const std::string& a = args[i];
  auto value = [&]() -> std::string {
    if (i + 1 >= args.size()) throw UsageError(a + " needs a value");
    return args[++i];
  };
  if (a == "--simulate") g.simulate = true;
  else if (a == "--trace") g.trace = true;
  else if (a == "--sensor-type") g.sensorType = ParseInt(value(), a);
  else if (a == "--device") g.devicePath = value();
  else if (a == "--lang") {
    const std::string code = value();
    if (code != "CHS" && code != "CHT" && code != "EN")
      throw UsageError("--lang takes CHS, CHT or EN, not '" + code + "'");
    g.lang = LanguageFromCode(code);
  } else return false;
  return true;
}

// Global options up to the command; returns the index of the command, -1
// for help and -2 for the version.
std::size_t ParseGlobals(const std::vector<std::string>& args, GlobalOptions& g, bool& help,
                         bool& version) {
  std::size_t i = 0;
  for (; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.empty() || a[0] != '-') break;
    if (a == "-h" || a == "--help") help = true;
    else if (a == "--version") version = true;
    else if (!TakeGlobal(args, i, g)) throw UsageError("unknown option '" + a + "'");
    if (help || version) break;
  }
  return i;
}

// The command's own arguments, the global options among them taken out:
// `show --lang CHS` means `--lang CHS show`. set keeps --sensor-type, its
// own option of the same meaning.
std::vector<std::string> CommandArguments(const std::vector<std::string>& args,
                                          const std::string& command, GlobalOptions& g) {
  std::vector<std::string> own;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (command == "set" && args[i] == "--sensor-type") own.push_back(args[i]);
    else if (!TakeGlobal(args, i, g)) own.push_back(args[i]);
  }
  return own;
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
    const Outcome filled = FillDataFolder(paths.programFolder, InstalledDefaultsFolder(g.exePath));
    if (!filled && !std::exchange(told, true))
      std::cerr << "corvalinectl: warning: the data folder could not be filled: " << filled.Reason() << '\n';
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
    const std::vector<std::string> all(argv + 1, argv + argc);
    bool wantsHelp = false, wantsVersion = false;
    const std::size_t at = ParseGlobals(all, g, wantsHelp, wantsVersion);
    if (wantsVersion) {
      out << "corvalinectl " << Version() << '\n';
      return kExitOk;
    }
    if (wantsHelp) {
      out << kUsage;
      return kExitOk;
    }
    if (at >= all.size()) throw UsageError("no command given");
    auto command = kCommands.find(all[at]);
    if (command == kCommands.end()) throw UsageError("unknown command '" + all[at] + "'");
    help = "corvalinectl " + command->first + " --help";
    std::vector<std::string> own =
        CommandArguments({all.begin() + static_cast<long>(at) + 1, all.end()}, command->first, g);
    Invocation inv{g, std::move(own), out, err};
    return command->second(inv);
  } catch (const UsageError& e) {
    err << "corvalinectl: " << e.what() << " (see '" << help << "')\n";
    return kExitUsage;
  } catch (const Refused& e) {
    err << "corvalinectl: " << e.what() << '\n';
    return kExitRefused;
  } catch (const Missing& e) {
    err << "corvalinectl: " << e.what() << '\n';
    return kExitMissing;
  } catch (const Failure& e) {
    err << "corvalinectl: " << e.what() << '\n';
    return kExitFailure;
  } catch (const std::exception& e) {
    err << "corvalinectl: " << e.what() << '\n';
    return kExitFailure;
  }
}

}  // namespace corvaline::cli
