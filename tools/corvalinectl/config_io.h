// Reading and writing the files the commands take, with one-line errors.
#pragma once

#include <filesystem>
#include <ostream>

#include "cli.h"
#include "core/profiles/profile.h"
#include "core/settings/file_lock.h"
#include "core/settings/settings_block.h"

namespace corvaline::cli {

// Loads a config.bin; throws Failure when it is missing, unreadable or not
// exactly 1986 bytes.
SettingsStore LoadConfigOrFail(const std::filesystem::path& configBin);

// The lock of the data folder holding configBin, held by a command from its
// read to its last write so the program's saves never fall in between;
// throws Failure when another program keeps it too long.
FileLock LockDataOrFail(const std::filesystem::path& configBin);

// An str.ini beside configBin that nothing can read is moved aside and made
// anew from config.bin's buttons, said once on err; call under the lock.
void RepairCaptionsFile(const std::filesystem::path& configBin, std::ostream& err);

// The config.bin a command works on: the argument, else the program's own.
std::filesystem::path ConfigArgument(const Invocation& inv, const ParsedArgs& args);

// The whole configuration beside configBin (config.bin, captions, macros);
// throws Failure with the reason.
Profile ReadConfigurationOrFail(const std::filesystem::path& configBin);

// The FILE after --config; an option in its place ("--config --apply") is
// a forgotten file name, refused rather than taken as one.
std::filesystem::path ConfigFileArgument(const std::string& value);

// --config FILE when given, else the program's own config.bin.
std::filesystem::path ConfigOption(const Invocation& inv, const std::filesystem::path& given);

}  // namespace corvaline::cli
