#include "platform/process.h"

#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include "platform/windows/win_hid.h"

namespace corvaline::platform {

std::filesystem::path ExecutablePath() {
  // Long paths need more than MAX_PATH; the buffer grows until the name fits.
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD got = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (got == 0) return {};
    if (got < buffer.size()) {
      buffer.resize(got);
      return std::filesystem::path(buffer);
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> out;
  for (int i = 0; i < count; ++i) out.push_back(Utf8FromWide(wide[i]));
  LocalFree(wide);
  return out;
}

void UseUtf8Console() {
  SetConsoleOutputCP(CP_UTF8);
  SetConsoleCP(CP_UTF8);
}

void WaitForNotification(int, int timeoutMs) {
  // Device changes arrive as window messages, which the backend pumps when
  // asked for them; here there is nothing to wait on.
  Sleep(static_cast<DWORD>(timeoutMs));
}

}  // namespace corvaline::platform
