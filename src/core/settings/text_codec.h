// Conversions between the encodings that INI files written on Windows use and
// the UTF-8 strings the program works with.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvaline {

enum class TextEncoding { Utf16LeBom, Utf8Bom, Utf8, Latin1 };

// Decodes a whole file image; `encoding` says what it was, for writing back.
std::string DecodeText(std::string_view bytes, TextEncoding& encoding);
// Encodes UTF-8 text in the given encoding, byte-order mark included.
std::string EncodeText(std::string_view utf8, TextEncoding encoding);

bool IsValidUtf8(std::string_view bytes);
// Appends one code point as UTF-8.
void AppendUtf8(std::string& out, char32_t cp);
// Number of characters (code points) of valid UTF-8 text.
std::size_t Utf8Length(std::string_view utf8);
// The first `count` characters of UTF-8 text.
std::string_view Utf8Prefix(std::string_view utf8, std::size_t count);
// The longest whole-character prefix that takes at most `units` UTF-16 code
// units (characters beyond U+FFFF take two).
std::string_view Utf8PrefixUtf16Units(std::string_view utf8, std::size_t units);
// True when every character of the UTF-8 text is at most U+00FF.
bool FitsLatin1(std::string_view utf8);

}  // namespace corvaline
