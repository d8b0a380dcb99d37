// KDE's own settings files (kdeglobals) as KConfig writes them: UTF-8,
// "[Group]" headers (also nested ones such as "[Colors:Header][Inactive]"),
// "Key=Value" lines, "Key[$i]" marking a key that is locked down. One key is
// changed in place and every other line is kept as it was.
#include "platform/linux/pointer_kdeglobals.h"

#include <glib.h>

#include <sstream>
#include <vector>

namespace corvaline::platform {
namespace {

std::string Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return std::string(text.substr(first, last - first + 1));
}

struct KeyLine {
  std::string key;      // without its [$...] options
  bool locked = false;  // [$i]
  bool localized = false;
  std::string value;
};

std::optional<KeyLine> ParseKeyLine(std::string_view line) {
  const auto eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  KeyLine parsed;
  std::string name = Trimmed(line.substr(0, eq));
  if (const auto bracket = name.find('['); bracket != std::string::npos) {
    const std::string options = name.substr(bracket);
    parsed.locked = options.find("$i") != std::string::npos;
    parsed.localized = options.find('$') == std::string::npos;  // Key[de]=...
    name = Trimmed(name.substr(0, bracket));
  }
  parsed.key = name;
  parsed.value = Trimmed(line.substr(eq + 1));
  return parsed;
}

bool IsHeader(const std::string& line) { return !line.empty() && line.front() == '['; }

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The file's lines; nullopt when it exists but cannot be read (never
// written over then).
std::optional<std::vector<std::string>> ReadLines(const std::string& path) {
  gchar* contents = nullptr;
  gsize length = 0;
  GError* error = nullptr;
  if (!g_file_get_contents(path.c_str(), &contents, &length, &error)) {
    const bool missing = g_error_matches(error, G_FILE_ERROR, G_FILE_ERROR_NOENT);
    g_error_free(error);
    if (missing) return std::vector<std::string>{};
    return std::nullopt;
  }
  std::vector<std::string> lines = Lines(std::string(contents, length));
  g_free(contents);
  return lines;
}

}  // namespace

std::optional<std::string> ReadKdeSetting(const std::string& path, std::string_view group,
                                          std::string_view key) {
  const auto lines = ReadLines(path);
  if (!lines) return std::nullopt;
  const std::string header = "[" + std::string(group) + "]";
  bool inGroup = false;
  for (const std::string& raw : *lines) {
    const std::string line = Trimmed(raw);
    if (IsHeader(line)) {
      inGroup = line == header;
      continue;
    }
    if (!inGroup || line.empty() || line.front() == '#') continue;
    const auto parsed = ParseKeyLine(line);
    if (parsed && !parsed->localized && parsed->key == key) return parsed->value;
  }
  return std::nullopt;
}

bool WriteKdeSetting(const std::string& path, std::string_view group, std::string_view key,
                     std::string_view value) {
  auto lines = ReadLines(path);
  if (!lines) return false;
  const std::string header = "[" + std::string(group) + "]";
  const std::string entry = std::string(key) + "=" + std::string(value);
  bool inGroup = false, done = false;
  std::size_t groupEnd = 0;  // after the group's last key line
  bool groupFound = false;
  for (std::size_t i = 0; i < lines->size() && !done; ++i) {
    const std::string line = Trimmed((*lines)[i]);
    if (IsHeader(line)) {
      inGroup = line == header;
      if (inGroup) groupFound = true, groupEnd = i + 1;
      continue;
    }
    if (!inGroup || line.empty() || line.front() == '#') continue;
    groupEnd = i + 1;
    const auto parsed = ParseKeyLine(line);
    if (!parsed || parsed->localized || parsed->key != key) continue;
    if (parsed->locked) return false;  // the administrator locked it down
    (*lines)[i] = entry;
    done = true;
  }
  if (!done && groupFound) {
    lines->insert(lines->begin() + static_cast<std::ptrdiff_t>(groupEnd), entry);
  } else if (!done) {
    if (!lines->empty() && !Trimmed(lines->back()).empty()) lines->emplace_back();
    lines->push_back(header);
    lines->push_back(entry);
  }
  std::string text;
  for (const std::string& line : *lines) text += line + "\n";
  // Written beside the file and renamed over it: never half a file.
  return g_file_set_contents(path.c_str(), text.data(), static_cast<gssize>(text.size()), nullptr);
}

}  // namespace corvaline::platform
