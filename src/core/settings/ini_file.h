// Private-profile (INI) files with the semantics the program relies on:
// case-insensitive section and key names, values cut to 1023 characters on
// reading, a missing key reading as empty, a key written again replaced in
// place (or appended to its section), a null key deleting the whole section,
// section names listed in file order, file and section created on first write.
// UTF-16LE (with BOM) and 8-bit/UTF-8 files load; a save keeps the encoding,
// new files are UTF-16LE with BOM. Every write replaces the file atomically.
//
// Strings in and out are UTF-8.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/outcome.h"

namespace corvaline {

// Longest value a read returns, in UTF-16 units (a 1024-character buffer on
// Windows). A file that exists but cannot be read is never written over.
inline constexpr std::size_t kIniValueMax = 1023;

// GetPrivateProfileString: the value of key in section, or def when absent.
std::string IniReadString(const std::filesystem::path& file, std::string_view section,
                          std::string_view key, std::string_view def = {});

// Every key of the section's key=value lines in file order, each value as
// IniReadString reads it; a key written twice keeps its first value. Empty
// when the section or the file is missing. One read of the file for all.
std::vector<std::pair<std::string, std::string>> IniReadSection(const std::filesystem::path& file,
                                                                std::string_view section);

// WritePrivateProfileString: key == nullopt deletes the section, value ==
// nullopt deletes the key. Fails (saying why) when the file could not be written.
Outcome IniWriteString(const std::filesystem::path& file, std::string_view section,
                       std::optional<std::string_view> key,
                       std::optional<std::string_view> value);

// Several keys of one section in one write, each replaced in place or
// appended as IniWriteString would: a crash or a failure can never
// leave some of them written and the others not.
Outcome IniWriteStrings(const std::filesystem::path& file, std::string_view section,
                        const std::vector<std::pair<std::string, std::string>>& entries);

// The bytes the file would hold after IniWriteStrings, for a caller that
// commits it together with another file; the failure ("cannot read <file>:
// why") when the file exists but cannot be read.
Result<std::string> IniBytesWithStrings(const std::filesystem::path& file, std::string_view section,
                                        const std::vector<std::pair<std::string, std::string>>& entries);

// Replaces a whole section in one write: the old section (if any) is deleted
// and the section is written anew at the end of the file with the entries in
// order. Either the whole new section is in the file afterwards or, on
// failure, the file is unchanged.
Outcome IniWriteSection(const std::filesystem::path& file, std::string_view section,
                        const std::vector<std::pair<std::string, std::string>>& entries);

// Section and key names match without regard to ASCII letter case, as the
// Windows profile functions compare them.
bool IniNameEquals(std::string_view a, std::string_view b);

// GetPrivateProfileSectionNames: every section name, in file order.
std::vector<std::string> IniSectionNames(const std::filesystem::path& file);

}  // namespace corvaline
