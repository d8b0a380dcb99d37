// corvalinectl: the command-line front end to the mouse and the data files.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/i18n/ui_language.h"
#include "core/outcome.h"

namespace corvaline::cli {

// Exit statuses, one per kind of mistake, the same in every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // a file, the system or the mouse failed
inline constexpr int kExitUsage = 2;    // the command line is wrong or names no such value
inline constexpr int kExitRefused = 3;  // a rule of the program refuses the change
inline constexpr int kExitMissing = 4;  // no such profile, macro or rule in the files

// A wrong command line: one line on stderr, exit status 2.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};
// A file, the system or the mouse failed: one line on stderr, exit status 1.
struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};
// A rule of the program says no; nothing was written. Exit status 3.
struct Refused : std::runtime_error {
  using std::runtime_error::runtime_error;
};
// The command names a profile, macro or rule the files do not hold. Exit 4.
struct Missing : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// How the command line tells a core step that failed: its one-line reason
// as the exception (Failure unless told), so main() prints it and exits.
template <class Error = Failure>
void ThrowIfFailed(const Outcome& outcome) {
  if (!outcome) throw Error(outcome.Reason());
}
template <class T, class Error = Failure>
T ValueOrThrow(Result<T> result) {
  ThrowIfFailed<Error>(result.AsOutcome());
  return std::move(*result);
}

struct GlobalOptions {
  bool simulate = false;
  int sensorType = -1;      // --sensor-type; -1 = not given
  std::string devicePath;   // --device
  bool trace = false;
  std::optional<UiLanguage> lang;
  std::filesystem::path exePath;  // of this program, for the data folder
};

// What a subcommand gets: the global options, its own arguments, the streams.
struct Invocation {
  GlobalOptions global;
  std::vector<std::string> args;
  std::ostream& out;
  std::ostream& err;
};

int RunList(Invocation& inv);
int RunInfo(Invocation& inv);
int RunApply(Invocation& inv);
int RunShow(Invocation& inv);
int RunEncodeMacros(Invocation& inv);
int RunWatch(Invocation& inv);
int RunSet(Invocation& inv);
int RunExport(Invocation& inv);
int RunImport(Invocation& inv);
int RunProfile(Invocation& inv);
int RunAutostart(Invocation& inv);
int RunLanguage(Invocation& inv);
int RunAuto(Invocation& inv);

// The whole tool, as main() runs it.
int Main(int argc, char** argv, std::ostream& out, std::ostream& err);

// --- shared helpers

// Sends the configuration of configBin to the mouse as `apply` does (and, with
// save, saves it and the captions beside it like OK/Apply). Exit status.
int ApplyToMouse(Invocation& inv, const std::filesystem::path& configBin, bool save);

// The version the program and the package carry.
const char* Version();

// True when args holds "--help" or "-h".
bool WantsHelp(const std::vector<std::string>& args);
// Splits a subcommand's arguments into flags it knows and positionals;
// throws UsageError for an unknown flag or too many positionals.
struct ParsedArgs {
  std::vector<std::string> flags;
  std::vector<std::string> positionals;
  bool Has(const std::string& flag) const;
};
ParsedArgs ParseArgs(const std::vector<std::string>& args, const std::vector<std::string>& known,
                     std::size_t maxPositionals);

// The data folder of the program (filled from the installed defaults on
// first use, as the program itself does).
struct DataFolder {
  std::filesystem::path configBin, strIni, recordIni;
};
DataFolder ProgramDataFolder(const GlobalOptions& g);

// The language for printed words: --lang, else the data folder's str.ini.
UiLanguage OutputLanguage(const GlobalOptions& g);

}  // namespace corvaline::cli
