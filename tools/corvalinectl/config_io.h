// Reading and writing the files the commands take, with one-line errors.
#pragma once

#include <filesystem>

#include "cli.h"
#include "core/profiles/profile.h"
#include "core/settings/settings_block.h"

namespace corvaline::cli {

// Loads a config.bin; throws Failure when it is missing, unreadable or not
// exactly 1986 bytes.
SettingsStore LoadConfigOrFail(const std::filesystem::path& configBin);

// The config.bin a command works on: the argument, else the program's own.
std::filesystem::path ConfigArgument(const Invocation& inv, const ParsedArgs& args);

// The whole configuration beside configBin (config.bin, captions, macros);
// throws Failure with the reason.
Profile ReadConfigurationOrFail(const std::filesystem::path& configBin);

// --config FILE when given, else the program's own config.bin.
std::filesystem::path ConfigOption(const Invocation& inv, const std::filesystem::path& given);

}  // namespace corvaline::cli
