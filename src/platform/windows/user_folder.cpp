#include "platform/user_folder.h"

#include <windows.h>
// after windows.h, which they need
#include <knownfolders.h>
#include <shlobj.h>

#include <cstdlib>

namespace corvaline::platform {

// Wide throughout: a user name in Chinese letters is part of the path, and
// the ANSI code page cannot always spell it. %APPDATA% first, so a moved or
// redirected profile (and a test) is honoured as every Windows program does.
std::filesystem::path UserSettingsBase() {
  if (const wchar_t* appData = _wgetenv(L"APPDATA"); appData && *appData)
    return std::filesystem::path(appData);
  PWSTR known = nullptr;
  std::filesystem::path base;
  if (SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &known) == S_OK)
    base = std::filesystem::path(known);
  CoTaskMemFree(known);
  return base;
}

}  // namespace corvaline::platform
