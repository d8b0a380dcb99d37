// Reading and writing the files the commands take, with one-line errors.
#pragma once

#include <filesystem>

#include "cli.h"
#include "core/settings/settings_block.h"

namespace corvaline::cli {

// Loads a config.bin; throws Failure when it is missing, unreadable or not
// exactly 1986 bytes.
SettingsStore LoadConfigOrFail(const std::filesystem::path& configBin);

// The config.bin a command works on: the argument, else the program's own.
std::filesystem::path ConfigArgument(const Invocation& inv, const ParsedArgs& args);

}  // namespace corvaline::cli
