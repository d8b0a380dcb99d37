// language: the program's UI language, the "Lan" key of str.ini.
#include <ostream>

#include "config_io.h"
#include "core/settings/utf8_paths.h"
#include "core/settings/ini_file.h"
#include "core/settings/item_texts.h"

namespace corvaline::cli {

int RunLanguage(Invocation& inv) {
  if (WantsHelp(inv.args)) {
    inv.out << "usage: corvalinectl language [CHS|CHT|EN] [--config FILE]\n"
               "Sets the program's language (the \"Lan\" key of the str.ini beside config.bin):\n"
               "CHS Simplified Chinese, CHT Traditional Chinese, EN English. The program reads\n"
               "it when it starts. Without a language, prints the one set.\n";
    return kExitOk;
  }
  std::vector<std::string> words;
  std::filesystem::path config;
  for (std::size_t i = 0; i < inv.args.size(); ++i) {
    if (inv.args[i] == "--config") {
      if (i + 1 >= inv.args.size()) throw UsageError("--config needs a file");
      config = inv.args[++i];
    } else if (inv.args[i].size() > 1 && inv.args[i][0] == '-') {
      throw UsageError("unknown option '" + inv.args[i] + "'");
    } else {
      words.push_back(inv.args[i]);
    }
  }
  if (words.size() > 1) throw UsageError("unexpected argument '" + words[1] + "'");
  const std::filesystem::path strIni = ConfigOption(inv, config).parent_path() / "str.ini";
  if (words.empty()) {
    inv.out << LanguageCode(ReadLanguage(strIni)) << '\n';
    return kExitOk;
  }
  const std::string& code = words[0];
  if (code != "CHS" && code != "CHT" && code != "EN")
    throw UsageError("the language is CHS, CHT or EN, not '" + code + "'");
  ThrowIfFailed(IniWriteString(strIni, kSkinsSection, kLanguageKey, code));
  inv.out << "language " << code << " saved in " << Utf8FromPath(strIni)
          << "; it takes effect at the next start of the program\n";
  return kExitOk;
}

}  // namespace corvaline::cli
