// export, import, profile and autostart: configurations as JSON profiles,
// named profiles in the data folder, and the login entry.
#include <iostream>
#include <iterator>
#include <ostream>

#include "config_io.h"
#include "core/profiles/auto_rules.h"
#include "core/profiles/function_words.h"
#include "core/profiles/profile_store.h"
#include "core/settings/atomic_file.h"
#include "core/settings/utf8_paths.h"
#include "platform/autostart.h"

namespace corvaline::cli {
namespace {

// FILE arguments plus the options every profile command takes.
struct ProfileLine {
  std::vector<std::string> positionals;
  std::filesystem::path config;
  bool apply = false;
  bool force = false;
};

ProfileLine SplitLine(const std::vector<std::string>& args, bool applyAllowed,
                      bool forceAllowed = false) {
  ProfileLine line;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--config") {
      if (i + 1 >= args.size()) throw UsageError("--config needs a file");
      line.config = ConfigFileArgument(args[++i]);
    } else if (a == "--apply" && applyAllowed) {
      line.apply = true;
    } else if (a == "--force" && forceAllowed) {
      line.force = true;
    } else if (a.size() > 1 && a[0] == '-') {
      throw UsageError("unknown option '" + a + "'");
    } else {
      line.positionals.push_back(a);
    }
  }
  return line;
}

std::string OneArgument(const ProfileLine& line, const char* what) {
  if (line.positionals.size() != 1) throw UsageError(std::string("give ") + what);
  return line.positionals[0];
}

std::string ReadInput(const std::string& file) {
  auto text = file == "-" ? ReadWholeStream(std::cin) : ReadWholeFile(PathFromUtf8(file));
  if (!text)
    throw Failure("cannot read " + (file == "-" ? std::string("standard input") : file) + ": " + text.Reason());
  return std::move(*text);
}

void WarnIfInexact(Invocation& inv, const Profile& p) {
  if (!ProfileRoundTripsExactly(p))
    inv.err
        << "corvalinectl: warning: the configuration holds values that have no words (a damaged "
           "config.bin?); the profile keeps the nearest ones\n";
}

void PrintWarnings(Invocation& inv, const ProfileResult& r) {
  for (const std::string& w : r.warnings) inv.err << "corvalinectl: warning: " << w << '\n';
}

UiLanguage CaptionLanguage(const std::filesystem::path& configBin) {
  return ReadLanguage(ConfigFiles::Beside(configBin).strIni);
}

// The one line after a configuration was written, then the Apply if asked.
int AfterWrite(Invocation& inv, const ProfileLine& line, const std::filesystem::path& configBin,
               const std::string& what) {
  inv.out << what << " (saved in " << Utf8FromPath(configBin)
          << (line.apply ? ")" : "; the mouse changes with --apply or 'corvalinectl apply')")
          << '\n';
  return line.apply ? ApplyToMouse(inv, configBin, true) : kExitOk;
}

}  // namespace

int RunExport(Invocation& inv) {
  if (WantsHelp(inv.args)) {
    inv.out << "usage: corvalinectl export FILE.json|- [--config FILE]\n"
               "Writes the whole configuration (config.bin, the captions of str.ini, the macros\n"
               "of record.ini) as a JSON profile; '-' writes it to standard output.\n";
    return kExitOk;
  }
  const ProfileLine line = SplitLine(inv.args, false);
  const std::string file = OneArgument(line, "the file to write, or - for standard output");
  const Profile p = ReadConfigurationOrFail(ConfigOption(inv, line.config));
  WarnIfInexact(inv, p);
  const std::string json = ProfileToJson(p);
  if (file == "-") {
    inv.out << json;
    return kExitOk;
  }
  if (const Outcome written = WriteFileAtomically(PathFromUtf8(file), json); !written)
    throw Failure("cannot write " + file + ": " + written.Reason());
  inv.out << "exported " << Utf8FromPath(ConfigOption(inv, line.config)) << " to " << file << '\n';
  return kExitOk;
}

int RunImport(Invocation& inv) {
  if (WantsHelp(inv.args)) {
    inv.out << "usage: corvalinectl import FILE.json|- [--config FILE] [--apply]\n"
               "Checks the whole profile first and only then writes config.bin, the captions of\n"
               "str.ini and record.ini; a bad profile is refused with the field at fault and\n"
               "nothing is touched. '-' reads standard input. --apply sends it to the mouse.\n";
    return kExitOk;
  }
  const ProfileLine line = SplitLine(inv.args, true);
  const std::string file = OneArgument(line, "the profile to read, or - for standard input");
  const std::filesystem::path configBin = ConfigOption(inv, line.config);
  const std::string text = ReadInput(file);
  const FileLock lock = LockDataOrFail(configBin);
  RepairCaptionsFile(configBin, inv.err);
  const ProfileResult r = ProfileFromJson(text, CaptionLanguage(configBin));
  if (!r.profile)
    throw Failure((file == "-" ? std::string("standard input") : file) + ": " + r.error);
  PrintWarnings(inv, r);
  ThrowIfFailed(WriteConfiguration(ConfigFiles::Beside(configBin), *r.profile));
  return AfterWrite(inv, line, configBin,
                    "imported " + (file == "-" ? std::string("standard input") : file));
}

int RunProfile(Invocation& inv) {
  if (inv.args.empty() || WantsHelp(inv.args)) {
    inv.out << "usage: corvalinectl profile save NAME [--force] | load NAME [--apply] | list\n"
               "           | delete NAME [--force]   [--config FILE]\n"
               "Named profiles, kept as JSON profiles in the data folder's profiles/. load keeps\n"
               "the configuration it replaces as the profile \"(previous)\". save over an\n"
               "existing profile, and delete of a profile automatic-profile rules name, need\n"
               "--force (exit status 3 without it).\n";
    return inv.args.empty() ? kExitUsage : kExitOk;
  }
  const std::string verb = inv.args[0];
  if (verb != "save" && verb != "load" && verb != "list" && verb != "delete")
    throw UsageError("unknown profile command '" + verb + "' (save, load, list, delete)");
  const ProfileLine line = SplitLine({inv.args.begin() + 1, inv.args.end()}, verb == "load",
                                     verb == "save" || verb == "delete");
  const std::filesystem::path configBin = ConfigOption(inv, line.config);
  const std::filesystem::path folder = ProfilesFolder(configBin.parent_path());
  if (verb == "list") {
    if (!line.positionals.empty()) throw UsageError("profile list takes no name");
    const std::vector<std::string> names = ListProfiles(folder);
    for (const std::string& name : names) inv.out << name << '\n';
    // On stderr, so that a script reading the names reads none.
    if (names.empty())
      inv.err << "corvalinectl: no profiles in " << Utf8FromPath(folder)
              << " yet ('corvalinectl profile save NAME' saves one)\n";
    return kExitOk;
  }
  const std::string name = OneArgument(line, "a profile name");
  ThrowIfFailed<UsageError>(verb == "save" ? CheckNewProfileName(name) : CheckProfileName(name));
  // Any file of the name counts: load then says what is wrong with it.
  std::error_code ec;
  const bool exists = std::filesystem::exists(std::filesystem::symlink_status(
      folder / PathFromUtf8(name + std::string(kProfileExtension)), ec));
  if (!exists && verb != "save")
    throw Missing("there is no profile " + ShellQuote(name) + " (see 'corvalinectl profile list')");
  if (verb == "save") {
    if (exists && !line.force)
      throw Refused("profile " + ShellQuote(name) +
                    " exists; give --force to replace it with the configuration");
    const FileLock lock = LockDataOrFail(configBin);  // one whole version of the three files
    const Profile p = ReadConfigurationOrFail(configBin);
    WarnIfInexact(inv, p);
    ThrowIfFailed(SaveProfile(folder, name, p));
    inv.out << (exists ? "replaced" : "saved") << " profile " << ShellQuote(name)
            << " with the configuration ("
            << Utf8FromPath(folder / PathFromUtf8(name + std::string(kProfileExtension))) << ")\n";
    return kExitOk;
  }
  if (verb == "delete") {
    const std::vector<std::string> rules =
        RulesNamingProfile(ReadAutoRules(configBin.parent_path()).rules, name);
    std::string named;
    for (const std::string& r : rules) named += "\n  " + r;
    if (!rules.empty() && !line.force)
      throw Refused("automatic profiles still send " + ShellQuote(name) + ":" + named +
                    "\ncorvalinectl: give --force to delete it all the same, or change the "
                    "rules first ('corvalinectl auto')");
    ThrowIfFailed(DeleteProfile(folder, name));
    inv.out << "deleted profile " << ShellQuote(name) << '\n';
    if (!rules.empty())
      inv.err << "corvalinectl: warning: these now name a missing profile:" << named << '\n';
    return kExitOk;
  }
  // load
  const FileLock lock = LockDataOrFail(configBin);
  const Profile current = ReadConfigurationOrFail(configBin);
  const ProfileResult r =
      LoadProfileIntoFiles(folder, name, current, ConfigFiles::Beside(configBin));
  if (!r.profile) throw Failure(r.error);
  PrintWarnings(inv, r);
  return AfterWrite(inv, line, configBin,
                    "loaded profile " + ShellQuote(name) +
                        ", the replaced configuration kept as " + std::string(kPreviousProfile));
}

int RunAutostart(Invocation& inv) {
  if (WantsHelp(inv.args) || inv.args.size() != 1 ||
      (inv.args[0] != "on" && inv.args[0] != "off")) {
    inv.out << "usage: corvalinectl autostart on|off\n"
               "Writes or removes the entry that starts the program hidden in the tray at login\n"
               "("
            << platform::AutostartEntryName() << ").\n";
    return WantsHelp(inv.args) ? kExitOk : kExitUsage;
  }
  if (inv.args[0] == "off") {
    ThrowIfFailed(platform::DisableAutostart());
    inv.out << "autostart off (" << platform::AutostartEntryName() << " removed)\n";
    return kExitOk;
  }
  // The program beside this tool when there is one, else the one on PATH.
  const std::filesystem::path& tool = inv.global.exePath;
  const std::filesystem::path beside =
      tool.parent_path() / ("corvaline" + tool.extension().string());  // .exe on Windows
  std::error_code ec;
  const std::filesystem::path program =
      std::filesystem::exists(beside, ec) ? beside : std::filesystem::path("corvaline");
  ThrowIfFailed(platform::EnableAutostart(program));
  inv.out << "autostart on (" << platform::AutostartEntryName() << ")\n";
  return kExitOk;
}

}  // namespace corvaline::cli
