// encode-macros: the MacroArea of a config.bin from a record.ini.
#include <cstring>
#include <ostream>

#include "config_io.h"
#include "core/macros/macro_encoder.h"
#include "core/settings/atomic_file.h"
#include "core/settings/config_file.h"
#include "core/settings/utf8_paths.h"

namespace corvaline::cli {

int RunEncodeMacros(Invocation& inv) {
  if (WantsHelp(inv.args)) {
    inv.out << "usage: corvalinectl encode-macros RECORD.ini CONFIG.bin\n"
               "Re-encodes the MacroArea of CONFIG.bin from the macros of RECORD.ini exactly as\n"
               "the macro editor's save does (block k from the k-th section, loop counts kept,\n"
               "sections after the twelfth ignored) and rewrites CONFIG.bin in place.\n";
    return kExitOk;
  }
  const ParsedArgs args = ParseArgs(inv.args, {}, 2);
  if (args.positionals.size() < 2) throw UsageError("encode-macros needs RECORD.ini and CONFIG.bin");
  const std::filesystem::path recordIni = PathFromUtf8(args.positionals[0]);
  const std::filesystem::path configBin = PathFromUtf8(args.positionals[1]);
  const FileLock lock = LockDataOrFail(configBin);
  SettingsStore store = LoadConfigOrFail(configBin);
  // Unreadable or oversized: refused, never "encoded 0 macros".
  if (const auto read = ReadWholeFile(recordIni); !read)
    throw Failure("cannot read " + Utf8FromPath(recordIni) + ": " + read.Reason());

  const auto encoded = EncodeMacroArea(recordIni, store.settings);
  if (!encoded) throw Failure("cannot read " + Utf8FromPath(recordIni));
  const MacroAreaReport& report = *encoded;

  // The first-run byte stays as it was: this is no Apply.
  std::string bytes(kConfigFileSize, '\0');
  bytes[0] = static_cast<char>(store.firstRunFlag);
  std::memcpy(bytes.data() + 1, &store.settings, sizeof(SettingsBlock));
  if (const Outcome written = WriteFileAtomically(configBin, bytes); !written)
    throw Failure("cannot write " + Utf8FromPath(configBin) + " (error " + std::to_string(written.Code()) + ")");

  inv.out << "encoded " << report.macrosEncoded << " macro" << (report.macrosEncoded == 1 ? "" : "s")
          << " into " << Utf8FromPath(configBin) << '\n';
  if (report.sectionsIgnored > 0)
    inv.err << "corvalinectl: " << report.sectionsIgnored
            << " macro(s) after the twelfth not encoded: the mouse holds twelve\n";
  for (const std::string& name : report.truncatedMacros)
    inv.err << "corvalinectl: macro \"" << name << "\" is too long for the mouse; its last events were left out\n";
  return kExitOk;
}

}  // namespace corvaline::cli
