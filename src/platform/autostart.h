// Starting the program at login, hidden in the notification area: an XDG
// autostart entry on Linux, the user's Run value in the registry on Windows.
#pragma once

#include <filesystem>
#include <string>

#include "core/outcome.h"

namespace corvaline::platform {

// Where the entry lives, for messages.
std::string AutostartEntryName();

// Writes the entry that starts `program` (a path, or a name looked up on
// PATH) at login.
Outcome EnableAutostart(const std::filesystem::path& program);

// Removes the entry; none there is no error.
Outcome DisableAutostart();

// The program the entry starts; empty when there is no entry.
std::filesystem::path AutostartProgram();

}  // namespace corvaline::platform
