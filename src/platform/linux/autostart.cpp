#include "platform/autostart.h"

#include <fstream>
#include <sstream>
#include <system_error>

#include "core/settings/atomic_file.h"
#include "core/settings/utf8_paths.h"
#include "platform/user_folder.h"

namespace corvaline::platform {
namespace {

std::filesystem::path EntryFile() {
  const std::filesystem::path base = UserSettingsBase();
  return base.empty() ? base : base / "autostart" / "corvaline.desktop";
}

constexpr const char* kNoBase = "neither XDG_CONFIG_HOME nor HOME is set";

}  // namespace

std::string AutostartEntryName() {
  const std::filesystem::path entry = EntryFile();
  return entry.empty() ? "$XDG_CONFIG_HOME/autostart/corvaline.desktop" : Utf8FromPath(entry);
}

Outcome EnableAutostart(const std::filesystem::path& program) {
  const std::filesystem::path entry = EntryFile();
  if (entry.empty()) return Outcome::Failed(kNoBase);
  std::error_code ec;
  std::filesystem::create_directories(entry.parent_path(), ec);
  const std::string text =
      "[Desktop Entry]\nType=Application\nName=CORVALINE Control\n"
      "Comment=Starts the CORVALINE mouse settings in the notification area\n"
      "Exec=\"" +
      Utf8FromPath(program) + "\"\nIcon=corvaline\nTerminal=false\nX-GNOME-Autostart-enabled=true\n";
  if (const Outcome written = WriteFileAtomically(entry, text); !written)
    return Outcome::Failed("cannot write " + Utf8FromPath(entry) + ": " + written.Reason());
  return {};
}

Outcome DisableAutostart() {
  const std::filesystem::path entry = EntryFile();
  if (entry.empty()) return Outcome::Failed(kNoBase);
  std::error_code ec;
  std::filesystem::remove(entry, ec);
  if (ec) return Outcome::Failed("cannot remove " + Utf8FromPath(entry) + ": " + ec.message());
  return {};
}

std::filesystem::path AutostartProgram() {
  std::ifstream in(EntryFile());
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("Exec=", 0) != 0) continue;
    std::string exec = line.substr(5);
    if (exec.size() >= 2 && exec.front() == '"' && exec.back() == '"') exec = exec.substr(1, exec.size() - 2);
    return PathFromUtf8(exec);
  }
  return {};
}

}  // namespace corvaline::platform
