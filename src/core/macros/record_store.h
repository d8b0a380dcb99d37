// record.ini: the text form of the macros, one section per macro named by the
// macro, with "ItemCount" and "Item0".."Item<n-1>". Section order is macro
// order: the k-th section is macro number k+1 and MacroBlock k.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace corvaline {

inline constexpr std::string_view kItemCountKey = "ItemCount";
// Item counts above this are read as this many; far more than the mouse can
// hold, so it only guards against a damaged count.
inline constexpr int kMaxStoredItems = 65535;

// "Item<index>".
std::string MacroItemKey(int index);

// The section names in file order, at most the twelve the mouse holds; every
// name is read whole, however long the list. Empty when the file is missing.
std::vector<std::string> ListMacroNames(const std::filesystem::path& recordIni);

// "ItemCount" of the macro: 0 when missing, non-numeric or negative, capped
// at kMaxStoredItems.
int ReadMacroItemCount(const std::filesystem::path& recordIni, std::string_view name);

// The macro's item texts in order. A missing key reads as an empty text,
// except that a run of missing keys at the end (a count larger than the
// items written) is dropped.
std::vector<std::string> ReadMacroItems(const std::filesystem::path& recordIni,
                                        std::string_view name);

// Replaces the macro's section: the old section is deleted, so the new one
// is written at the end of the file and the macro becomes the last one.
// Returns false when the file could not be written.
bool WriteMacroSection(const std::filesystem::path& recordIni, std::string_view name,
                       const std::vector<std::string>& items);

// Deletes the macro's section; true when the file is as wanted afterwards.
bool DeleteMacroSection(const std::filesystem::path& recordIni, std::string_view name);

}  // namespace corvaline
