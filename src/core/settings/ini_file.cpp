#include "core/settings/ini_file.h"

#include <algorithm>
#include <unordered_set>

#include "core/settings/atomic_file.h"
#include "core/settings/file_lock.h"
#include "core/settings/text_codec.h"
#include "core/settings/utf8_paths.h"

namespace corvaline {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view s) {
  const auto first = s.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(kBlanks);
  return s.substr(first, last - first + 1);
}

// The form in which IniNameEquals compares: ASCII letters in lower case.
std::string LowerName(std::string_view name) {
  std::string s(name);
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return s;
}

// A loaded INI file: its lines as written, so comments and unknown lines
// survive a write.
struct IniDocument {
  std::vector<std::string> lines;
  TextEncoding encoding = TextEncoding::Utf16LeBom;
  std::string newline = "\r\n";
  bool exists = false;
  bool unreadable = false;  // there, but could not be read: must not be overwritten
  int readError = 0;        // why, when unreadable
};

std::optional<std::string_view> SectionNameOf(std::string_view line) {
  std::string_view t = Trim(line);
  if (t.size() < 2 || t.front() != '[') return std::nullopt;
  const auto close = t.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(t.substr(1, close - 1));
}

// Key of a "key=value" line; nullopt for anything else.
std::optional<std::string_view> KeyOf(std::string_view line) {
  const auto eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  std::string_view t = Trim(line);
  if (t.empty() || t.front() == ';' || t.front() == '[') return std::nullopt;
  return Trim(line.substr(0, eq));
}

IniDocument Load(const std::filesystem::path& file) {
  IniDocument doc;
  auto bytes = ReadWholeFile(file);
  if (!bytes) {
    doc.readError = bytes.Code();
    std::error_code ec;
    doc.unreadable = std::filesystem::exists(file, ec) || ec;
    return doc;
  }
  doc.exists = true;
  const std::string text = DecodeText(*bytes, doc.encoding);
  doc.newline = text.find("\r\n") != std::string::npos || text.find('\n') == std::string::npos
                    ? "\r\n"
                    : "\n";
  std::size_t start = 0;
  while (start < text.size()) {
    auto end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    doc.lines.push_back(std::move(line));
    start = end + 1;
  }
  return doc;
}

std::string Render(const IniDocument& doc) {
  std::string text;
  for (const std::string& line : doc.lines) {
    text += line;
    text += doc.newline;
  }
  TextEncoding encoding = doc.encoding;
  // An 8-bit file cannot hold Chinese captions; rather than turning them into
  // question marks for good, the file becomes UTF-16, which every Windows
  // profile reader takes as well.
  if (encoding == TextEncoding::Latin1 && !FitsLatin1(text)) encoding = TextEncoding::Utf16LeBom;
  std::string bytes = EncodeText(text, encoding);
  // An 8-bit file is told apart by its content alone: one that now begins
  // like a byte-order mark, or has become valid UTF-8 ("\xC3\xA9" was "Ã©"),
  // would read back as other text. UTF-16 with its mark reads back exactly.
  TextEncoding reread;
  if (encoding != TextEncoding::Utf16LeBom && DecodeText(bytes, reread) != text)
    bytes = EncodeText(text, TextEncoding::Utf16LeBom);
  return bytes;
}

std::string UnreadableText(const std::filesystem::path& file, const IniDocument& doc) {
  return "cannot read " + Utf8FromPath(file) + ": " + ReadErrorText(doc.readError);
}

Outcome Save(const std::filesystem::path& file, const IniDocument& doc) {
  if (doc.unreadable) return Outcome::Error(doc.readError, UnreadableText(file, doc));
  const Outcome written = WriteFileAtomically(file, Render(doc));
  if (written) return written;
  return Outcome::Error(written.Code(), "cannot write " + Utf8FromPath(file) + ": " + written.Reason());
}

// [begin, end) of the first section with this name: begin is its header
// line, end the next header or the end of the file.
std::optional<std::pair<std::size_t, std::size_t>> FindSection(const IniDocument& doc,
                                                               std::string_view section) {
  for (std::size_t i = 0; i < doc.lines.size(); ++i) {
    auto name = SectionNameOf(doc.lines[i]);
    if (!name || !IniNameEquals(*name, section)) continue;
    std::size_t end = i + 1;
    while (end < doc.lines.size() && !SectionNameOf(doc.lines[end])) ++end;
    return std::make_pair(i, end);
  }
  return std::nullopt;
}

std::optional<std::size_t> FindKey(const IniDocument& doc, std::pair<std::size_t, std::size_t> range,
                                   std::string_view key) {
  for (std::size_t i = range.first + 1; i < range.second; ++i) {
    auto k = KeyOf(doc.lines[i]);
    if (k && IniNameEquals(*k, key)) return i;
  }
  return std::nullopt;
}

std::string_view ValueOf(std::string_view line) {
  std::string_view v = Trim(line.substr(line.find('=') + 1));
  // Windows drops one pair of quotes around a value.
  if (v.size() >= 2 && ((v.front() == '"' && v.back() == '"') || (v.front() == '\'' && v.back() == '\'')))
    v = v.substr(1, v.size() - 2);
  return v;
}

void SetKey(IniDocument& doc, std::string_view section, std::string_view key,
            std::string_view value) {
  std::string line = std::string(key) + "=" + std::string(value);
  // A line break inside a value would turn the rest into lines of their own.
  std::replace_if(line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  auto range = FindSection(doc, section);
  if (!range) {
    doc.lines.push_back("[" + std::string(section) + "]");
    doc.lines.push_back(std::move(line));
    return;
  }
  if (auto at = FindKey(doc, *range, key)) {
    doc.lines[*at] = std::move(line);
    return;
  }
  // After the section's last non-blank line, so blank separators stay last.
  std::size_t insertAt = range->second;
  while (insertAt > range->first + 1 && Trim(doc.lines[insertAt - 1]).empty()) --insertAt;
  doc.lines.insert(doc.lines.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(line));
}

// Every read-modify-write of an INI file holds its folder's lock, so two
// programs editing one file never undo each other. `edit` returns false when
// it changed nothing.
template <class Edit>
Outcome EditLocked(const std::filesystem::path& file, Edit edit) {
  const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
  const auto lock = LockDataFolder(folder);
  if (!lock) return lock.AsOutcome();
  IniDocument doc = Load(file);
  if (!edit(doc)) return {};
  return Save(file, doc);
}

}  // namespace

std::string IniReadString(const std::filesystem::path& file, std::string_view section,
                          std::string_view key, std::string_view def) {
  const IniDocument doc = Load(file);
  std::string_view found = def;
  if (auto range = FindSection(doc, section)) {
    if (auto at = FindKey(doc, *range, key)) found = ValueOf(doc.lines[*at]);
  }
  return std::string(Utf8PrefixUtf16Units(found, kIniValueMax));
}

std::vector<std::pair<std::string, std::string>> IniReadSection(const std::filesystem::path& file,
                                                                std::string_view section) {
  const IniDocument doc = Load(file);
  std::vector<std::pair<std::string, std::string>> entries;
  const auto range = FindSection(doc, section);
  if (!range) return entries;
  std::unordered_set<std::string> seen;
  for (std::size_t i = range->first + 1; i < range->second; ++i) {
    const auto key = KeyOf(doc.lines[i]);
    if (!key) continue;
    if (!seen.insert(LowerName(*key)).second) continue;
    entries.emplace_back(std::string(*key),
                         std::string(Utf8PrefixUtf16Units(ValueOf(doc.lines[i]), kIniValueMax)));
  }
  return entries;
}

Outcome IniWriteString(const std::filesystem::path& file, std::string_view section,
                    std::optional<std::string_view> key, std::optional<std::string_view> value) {
  return EditLocked(file, [&](IniDocument& doc) {
    if (!key) {
      auto range = FindSection(doc, section);
      if (!range) return false;
      doc.lines.erase(doc.lines.begin() + static_cast<std::ptrdiff_t>(range->first),
                      doc.lines.begin() + static_cast<std::ptrdiff_t>(range->second));
    } else if (!value) {
      auto range = FindSection(doc, section);
      if (!range) return false;
      auto at = FindKey(doc, *range, *key);
      if (!at) return false;
      doc.lines.erase(doc.lines.begin() + static_cast<std::ptrdiff_t>(*at));
    } else {
      SetKey(doc, section, *key, *value);
    }
    return true;
  });
}

Outcome IniWriteStrings(const std::filesystem::path& file, std::string_view section,
                     const std::vector<std::pair<std::string, std::string>>& entries) {
  return EditLocked(file, [&](IniDocument& doc) {
    for (const auto& [key, value] : entries) SetKey(doc, section, key, value);
    return true;
  });
}

Result<std::string> IniBytesWithStrings(const std::filesystem::path& file, std::string_view section,
                                        const std::vector<std::pair<std::string, std::string>>& entries) {
  IniDocument doc = Load(file);
  if (doc.unreadable) return Result<std::string>::Error(doc.readError, UnreadableText(file, doc));
  for (const auto& [key, value] : entries) SetKey(doc, section, key, value);
  return Render(doc);
}

Outcome IniWriteSection(const std::filesystem::path& file, std::string_view section,
                     const std::vector<std::pair<std::string, std::string>>& entries) {
  return EditLocked(file, [&](IniDocument& doc) {
    if (auto range = FindSection(doc, section)) {
      doc.lines.erase(doc.lines.begin() + static_cast<std::ptrdiff_t>(range->first),
                      doc.lines.begin() + static_cast<std::ptrdiff_t>(range->second));
    }
    for (const auto& [key, value] : entries) SetKey(doc, section, key, value);
    if (entries.empty()) doc.lines.push_back("[" + std::string(section) + "]");
    return true;
  });
}

std::vector<std::string> IniSectionNames(const std::filesystem::path& file) {
  const IniDocument doc = Load(file);
  std::vector<std::string> names;
  for (const std::string& line : doc.lines) {
    auto name = SectionNameOf(line);
    if (!name) continue;
    const bool seen = std::any_of(names.begin(), names.end(),
                                  [&](const std::string& n) { return IniNameEquals(n, *name); });
    if (!seen) names.emplace_back(*name);
  }
  return names;
}

bool IniNameEquals(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

}  // namespace corvaline
