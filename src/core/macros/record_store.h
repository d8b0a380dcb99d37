// record.ini: the text form of the macros, one section per macro named by the
// macro, with "ItemCount" and "Item0".."Item<n-1>". Section order is macro
// order: the k-th section is macro number k+1 and MacroBlock k.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/outcome.h"

namespace corvaline {

inline constexpr std::string_view kItemCountKey = "ItemCount";
// The most items a macro may bring in from elsewhere (a profile); far more
// than the mouse can hold.
inline constexpr int kMaxStoredItems = 65535;

// "Item<index>".
std::string MacroItemKey(int index);

// The section names in file order, at most the twelve the mouse holds; every
// name is read whole, however long the list. Empty when the file is missing.
std::vector<std::string> ListMacroNames(const std::filesystem::path& recordIni);

// "ItemCount" of the macro: 0 when missing, non-numeric or negative.
int ReadMacroItemCount(const std::filesystem::path& recordIni, std::string_view name);

// The macro's items 0..ItemCount-1 in order, at a cost bounded by the keys
// present. A run of missing keys between items reads as one empty text; a
// run at the end (a count larger than the items written) is dropped.
std::vector<std::string> ReadMacroItems(const std::filesystem::path& recordIni,
                                        std::string_view name);

// Replaces the macro's section: the old section is deleted, so the new one
// is written at the end of the file and the macro becomes the last one.
// Fails when the file could not be written.
Outcome WriteMacroSection(const std::filesystem::path& recordIni, std::string_view name,
                          const std::vector<std::string>& items);

// Deletes the macro's section; done when the file is as wanted afterwards.
Outcome DeleteMacroSection(const std::filesystem::path& recordIni, std::string_view name);

}  // namespace corvaline
