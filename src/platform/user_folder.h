// Where this user's program settings live on this system.
#pragma once

#include <filesystem>

namespace corvaline::platform {

// The base folder of per-user program settings: %APPDATA% (the roaming
// application data) on Windows, $XDG_CONFIG_HOME or else ~/.config on Linux.
// Empty when the system names none.
std::filesystem::path UserSettingsBase();

// The program's per-user data folder: UserSettingsBase()/corvaline, or
// corvaline in the current folder when there is no base.
std::filesystem::path UserDataFolder();

}  // namespace corvaline::platform
