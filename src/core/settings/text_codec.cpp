#include "core/settings/text_codec.h"

namespace corvaline {
namespace {

// Length of the UTF-8 sequence starting at s[i], 0 when it is not well formed.
std::size_t SequenceLength(std::string_view s, std::size_t i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  std::size_t len = 0;
  char32_t min = 0;
  if (b0 < 0x80) return 1;
  if ((b0 & 0xE0) == 0xC0) { len = 2; min = 0x80; }
  else if ((b0 & 0xF0) == 0xE0) { len = 3; min = 0x800; }
  else if ((b0 & 0xF8) == 0xF0) { len = 4; min = 0x10000; }
  else return 0;
  if (i + len > s.size()) return 0;
  char32_t cp = b0 & (0x3F >> (len - 1));
  for (std::size_t k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

char32_t DecodeAt(std::string_view s, std::size_t i, std::size_t len) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  if (len == 1) return b0;
  char32_t cp = b0 & (0x3F >> (len - 1));
  for (std::size_t k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
  return cp;
}

std::string DecodeUtf16Le(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  const std::size_t units = bytes.size() / 2;  // a stray odd byte at the end is dropped
  auto unit = [&](std::size_t k) {
    return static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * k]) |
                                 (static_cast<unsigned char>(bytes[2 * k + 1]) << 8));
  };
  for (std::size_t k = 0; k < units; ++k) {
    char32_t u = unit(k);
    if (u >= 0xD800 && u <= 0xDBFF && k + 1 < units) {
      const char32_t lo = unit(k + 1);
      if (lo >= 0xDC00 && lo <= 0xDFFF) {
        AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00));
        ++k;
        continue;
      }
    }
    if (u >= 0xD800 && u <= 0xDFFF) u = 0xFFFD;  // unpaired surrogate
    AppendUtf8(out, u);
  }
  return out;
}

void AppendUtf16Le(std::string& out, char32_t cp) {
  auto put = [&](char32_t u) {
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>((u >> 8) & 0xFF);
  };
  if (cp >= 0x10000) {
    cp -= 0x10000;
    put(0xD800 + (cp >> 10));
    put(0xDC00 + (cp & 0x3FF));
  } else {
    put(cp);
  }
}

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

bool IsValidUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t len = SequenceLength(bytes, i);
    if (len == 0) return false;
    i += len;
  }
  return true;
}

std::size_t Utf8Length(std::string_view utf8) {
  std::size_t n = 0;
  for (char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

std::string_view Utf8Prefix(std::string_view utf8, std::size_t count) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) {
      if (n == count) return utf8.substr(0, i);
      ++n;
    }
  }
  return utf8;
}

std::string_view Utf8PrefixUtf16Units(std::string_view utf8, std::size_t units) {
  std::size_t used = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b0 = static_cast<unsigned char>(utf8[i]);
    const std::size_t len = b0 < 0x80 ? 1 : (b0 & 0xE0) == 0xC0 ? 2 : (b0 & 0xF0) == 0xE0 ? 3 : 4;
    const std::size_t need = len == 4 ? 2 : 1;
    if (used + need > units) return utf8.substr(0, i);
    used += need;
    i += len;
  }
  return utf8;
}

bool FitsLatin1(std::string_view utf8) {
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    // Lead bytes 0xC2/0xC3 encode U+0080..U+00FF; anything larger is beyond.
    if (b >= 0xC4 && (b & 0xC0) != 0x80) return false;
  }
  return true;
}

std::string DecodeText(std::string_view bytes, TextEncoding& encoding) {
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    encoding = TextEncoding::Utf16LeBom;
    return DecodeUtf16Le(bytes.substr(2));
  }
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    encoding = TextEncoding::Utf8Bom;
    bytes.remove_prefix(3);
  } else {
    encoding = IsValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Latin1;
  }
  if (encoding != TextEncoding::Latin1) {
    if (IsValidUtf8(bytes)) return std::string(bytes);
    // A UTF-8 BOM in front of bytes that are not UTF-8: read them as 8-bit.
    encoding = TextEncoding::Latin1;
  }
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char c : bytes) AppendUtf8(out, static_cast<unsigned char>(c));
  return out;
}

std::string EncodeText(std::string_view utf8, TextEncoding encoding) {
  std::string out;
  switch (encoding) {
    case TextEncoding::Utf8Bom:
      out = "\xEF\xBB\xBF";
      [[fallthrough]];
    case TextEncoding::Utf8:
      out.append(utf8);
      return out;
    case TextEncoding::Utf16LeBom:
    case TextEncoding::Latin1:
      break;
  }
  if (encoding == TextEncoding::Utf16LeBom) out = "\xFF\xFE";
  for (std::size_t i = 0; i < utf8.size();) {
    std::size_t len = SequenceLength(utf8, i);
    const char32_t cp = len ? DecodeAt(utf8, i, len) : 0xFFFD;
    i += len ? len : 1;
    if (encoding == TextEncoding::Utf16LeBom) {
      AppendUtf16Le(out, cp);
    } else {
      // An 8-bit file cannot hold other characters; Windows writes '?' too.
      out += cp <= 0xFF ? static_cast<char>(cp) : '?';
    }
  }
  return out;
}

}  // namespace corvaline
