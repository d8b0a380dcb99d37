// The text form of macro items, as record.ini stores them and the editor's
// event list shows them: "<key name>   Dn", "<key name>   Up", "<n> ms".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvaline {

enum class MacroItemKind { Press, Release, Delay };

// Press if the text holds "   Dn", else release if it holds "   Up", else a
// delay (whatever else it holds; the encoder ignores it).
MacroItemKind ClassifyMacroItem(std::string_view item);
// What the editor treats as a delay step: any text holding "ms".
bool LooksLikeDelayItem(std::string_view item);

// The key name of an event item: the text with its marker removed.
std::string MacroItemKeyName(std::string_view item);

std::string PressItem(std::string_view keyName);
std::string ReleaseItem(std::string_view keyName);
std::string DelayItem(int milliseconds);

// Integer conversion that stops at the first non-digit, as "50 ms", "50"
// and " 50x" all read 50: leading blanks, an optional sign, then digits.
// No digits give 0; values beyond the int range saturate.
int ParseLeadingInt(std::string_view text);

// Length in UTF-16 code units, the unit in which name limits are counted.
std::size_t Utf16Length(std::string_view utf8);

}  // namespace corvaline
