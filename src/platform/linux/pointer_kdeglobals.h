// One value of a KDE settings file (kdeglobals), read and written the way
// KConfig keeps them, so Plasma and its programs read what is written here.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvaline::platform {

// The value of key in [group]; nullopt when the file, group or key is not
// there or the file cannot be read.
std::optional<std::string> ReadKdeSetting(const std::string& path, std::string_view group,
                                          std::string_view key);

// Sets key in [group] (replaced in place, else added to the group, else a new
// group at the end), every other line kept; the file is replaced atomically.
// False when the key is locked down ("Key[$i]"), the file exists but cannot
// be read, or it cannot be written.
bool WriteKdeSetting(const std::string& path, std::string_view group, std::string_view key,
                     std::string_view value);

}  // namespace corvaline::platform
