#include "platform/autostart.h"

#include <windows.h>

#include <system_error>

#include "core/settings/utf8_paths.h"

namespace corvaline::platform {
namespace {

constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const wchar_t* kValue = L"CORVALINE Control";

std::string Reason(LSTATUS status) { return std::system_category().message(static_cast<int>(status)); }

}  // namespace

std::string AutostartEntryName() {
  return "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run, value CORVALINE Control";
}

Outcome EnableAutostart(const std::filesystem::path& program) {
  // Quoted: Windows splits an unquoted command at its first space.
  const std::wstring command = L"\"" + program.wstring() + L"\"";
  const LSTATUS status =
      RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, kValue, REG_SZ, command.c_str(),
                      static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
  return status == ERROR_SUCCESS ? Outcome() : Outcome::Failed("cannot write the Run value: " + Reason(status));
}

Outcome DisableAutostart() {
  const LSTATUS status = RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kValue);
  if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) return {};
  return Outcome::Failed("cannot remove the Run value: " + Reason(status));
}

std::filesystem::path AutostartProgram() {
  std::wstring command(1024, L'\0');
  DWORD bytes = static_cast<DWORD>(command.size() * sizeof(wchar_t));
  if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, kValue, RRF_RT_REG_SZ, nullptr, command.data(),
                   &bytes) != ERROR_SUCCESS)
    return {};
  command.resize(wcsnlen(command.c_str(), command.size()));
  if (command.size() >= 2 && command.front() == L'"' && command.back() == L'"')
    command = command.substr(1, command.size() - 2);
  return std::filesystem::path(command);
}

}  // namespace corvaline::platform
