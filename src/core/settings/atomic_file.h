// Whole-file reads and crash-safe whole-file writes.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace corvaline {

// The file's bytes, or nullopt when it cannot be read (errorCode gets errno).
std::optional<std::string> ReadWholeFile(const std::filesystem::path& file, int* errorCode = nullptr);

// Writes the bytes to a temporary file beside `file`, flushes it and renames
// it over `file`, so a crash or a full disk never leaves a truncated file:
// either the old content or the new one is there. Returns false (and the
// system's error code in *errorCode) when anything fails; the old file is
// then untouched.
bool WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                         int* errorCode = nullptr);

// The temporary file WriteFileAtomically uses for `file`.
std::filesystem::path TemporaryPathFor(const std::filesystem::path& file);

}  // namespace corvaline
