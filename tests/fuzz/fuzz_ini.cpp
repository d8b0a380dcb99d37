// The INI engine on any bytes, in every encoding the program meets: reading
// and listing never fail, and what a write or a section write puts in must
// read back exactly (after the engine's own rules: blanks around values
// trimmed, one pair of quotes dropped, line breaks made blanks, 1023 UTF-16
// units at most), with the other sections still listed in their order.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/settings/ini_file.h"
#include "core/settings/text_codec.h"
#include "fuzz_support.h"
#include "platform/durable_io.h"

using namespace corvaline;

namespace {

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return s;
}

bool SameNames(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

// A name as the program writes them: letters, digits, '-', '_', and now and
// then a Chinese character; never empty.
std::string MakeName(FuzzedDataProvider& in) {
  static const std::string kPlain =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-_";
  std::string name;
  const std::size_t length = in.ConsumeIntegralInRange<std::size_t>(1, 12);
  for (std::size_t i = 0; i < length; ++i) {
    const std::uint8_t pick = in.ConsumeIntegral<std::uint8_t>();
    if (pick >= 250)
      name += "\xE5\xAE\x8F";  // U+5B8F
    else
      name += kPlain[pick % kPlain.size()];
  }
  return name;
}

// Any text, always valid UTF-8: the bytes taken as UTF-16 units.
std::string MakeValue(FuzzedDataProvider& in) {
  std::string units = "\xFF\xFE" + in.ConsumeRandomLengthString(3000);
  TextEncoding ignored;
  return DecodeText(units, ignored);
}

std::string ExpectedRead(std::string value) {
  std::replace_if(value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  const auto first = value.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  value = value.substr(first, value.find_last_not_of(" \t") - first + 1);
  if (value.size() >= 2 && ((value.front() == '"' && value.back() == '"') ||
                            (value.front() == '\'' && value.back() == '\'')))
    value = value.substr(1, value.size() - 2);
  return std::string(Utf8PrefixUtf16Units(value, kIniValueMax));
}

// The file in one of the shapes met in practice, chosen by the input.
std::string MakeFile(std::uint8_t shape, const std::string& raw) {
  switch (shape % 5) {
    case 0: return raw;                       // 8-bit or UTF-8 without a mark
    case 1: return "\xEF\xBB\xBF" + raw;      // UTF-8 with a mark
    case 2: return "\xFF\xFE" + raw;          // UTF-16 units as they are
    case 3: {                                 // 8-bit text widened to UTF-16
      std::string wide = "\xFF\xFE";
      for (char c : raw) {
        wide += c;
        wide += '\0';
      }
      return wide;
    }
    default: return EncodeText(raw, TextEncoding::Latin1);
  }
}

void CheckReads(const std::filesystem::path& file, const std::vector<std::string>& sections,
                const std::string& key) {
  for (std::size_t i = 0; i < sections.size() && i < 8; ++i) {
    const std::string v = IniReadString(file, sections[i], key, "x");
    FUZZ_CHECK(IsValidUtf8(v));
    FUZZ_CHECK(Utf8PrefixUtf16Units(v, kIniValueMax).size() == v.size());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  corvaline::platform::InstallSystemDurableIo();
  FuzzedDataProvider in(data, size);
  const std::filesystem::path file = fuzz::ScratchDir() / "str.ini";
  const std::uint8_t shape = in.ConsumeIntegral<std::uint8_t>();
  const std::string section = MakeName(in);
  const std::string key = MakeName(in);
  const std::string value = MakeValue(in);
  const bool wholeSection = in.ConsumeBool();
  const bool severalKeys = in.ConsumeBool();  // the many-keys write, with one key
  std::vector<std::pair<std::string, std::string>> entries;
  if (wholeSection) {
    const int n = in.ConsumeIntegralInRange(0, 4);
    for (int i = 0; i < n; ++i) entries.emplace_back(MakeName(in), MakeValue(in));
  }
  fuzz::WriteFile(file, MakeFile(shape, in.ConsumeRemainingBytesAsString()));

  const std::vector<std::string> before = IniSectionNames(file);
  for (const std::string& name : before) FUZZ_CHECK(IsValidUtf8(name));
  CheckReads(file, before, key);

  std::vector<std::string> expectedNames = before;
  auto listed = [&](const std::string& s) {
    return std::any_of(expectedNames.begin(), expectedNames.end(),
                       [&](const std::string& n) { return Lower(n) == Lower(s); });
  };
  if (!wholeSection) {
    if (!listed(section)) expectedNames.push_back(section);
    if (severalKeys)
      FUZZ_CHECK(IniWriteStrings(file, section, {{key, value}}));
    else
      FUZZ_CHECK(IniWriteString(file, section, key, value));
    FUZZ_CHECK(IniReadString(file, section, key) == ExpectedRead(value));
  } else {
    FUZZ_CHECK(IniWriteSection(file, section, entries));
    std::vector<std::pair<std::string, std::string>> last;  // the last value of each key wins
    for (const auto& entry : entries) {
      auto same = std::find_if(last.begin(), last.end(),
                               [&](const auto& e) { return Lower(e.first) == Lower(entry.first); });
      if (same != last.end()) same->second = entry.second; else last.push_back(entry);
    }
    for (const auto& [k, v] : last) FUZZ_CHECK(IniReadString(file, section, k) == ExpectedRead(v));
  }
  const std::vector<std::string> after = IniSectionNames(file);
  // A section write moves the section to the end; every other one stays in order.
  auto without = [&](std::vector<std::string> names) {
    std::erase_if(names, [&](const std::string& n) { return Lower(n) == Lower(section); });
    return names;
  };
  if (!wholeSection)
    FUZZ_CHECK(SameNames(after, expectedNames));
  else
    FUZZ_CHECK(SameNames(without(after), without(before)) && without(after).size() < after.size());
  CheckReads(file, after, key);
  return 0;
}
