#include "core/profiles/profile_store.h"

#include <algorithm>
#include <cerrno>

#include "core/settings/atomic_file.h"
#include "core/settings/text_codec.h"
#include "core/settings/utf8_paths.h"

namespace corvaline {
namespace {

constexpr std::size_t kMaxNameBytes = 100;

std::filesystem::path FileOf(const std::filesystem::path& folder, std::string_view name) {
  return folder / PathFromUtf8(std::string(name) + std::string(kProfileExtension));
}

Outcome WriteProfile(const std::filesystem::path& folder, std::string_view name, const Profile& profile) {
  if (Outcome named = CheckProfileName(name); !named) return named;
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) return Outcome::Failed("cannot make " + Utf8FromPath(folder) + ": " + ec.message());
  if (Outcome written = WriteFileAtomically(FileOf(folder, name), ProfileToJson(profile)); !written)
    return Outcome::Failed("cannot write " + Utf8FromPath(FileOf(folder, name)) + ": " + written.Reason());
  return {};
}

// CON, PRN, AUX, NUL, COM1-9 and LPT1-9, in any case and with any extension.
bool IsWindowsDeviceName(std::string_view name) {
  std::string stem(name.substr(0, name.find('.')));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  for (char& c : stem)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  if (stem == "con" || stem == "prn" || stem == "aux" || stem == "nul") return true;
  return stem.size() == 4 && (stem.starts_with("com") || stem.starts_with("lpt")) && stem[3] >= '1' &&
         stem[3] <= '9';
}

}  // namespace

std::filesystem::path ProfilesFolder(const std::filesystem::path& dataFolder) {
  return dataFolder / "profiles";
}

Outcome CheckProfileName(std::string_view name) {
  if (name.empty()) return Outcome::Failed("a profile needs a name");
  if (name.size() > kMaxNameBytes) return Outcome::Failed("a profile name is at most 100 bytes long");
  if (name.front() == '.') return Outcome::Failed("a profile name cannot start with '.'");
  for (char c : name) {
    if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20)
      return Outcome::Failed("a profile name cannot hold '/', '\\' or control characters");
  }
  return {};
}

std::vector<std::string> ListProfiles(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::filesystem::path& p = it->path();
    if (p.extension() != kProfileExtension || !it->is_regular_file(ec)) continue;
    const std::string stem = Utf8FromPath(p.stem());
    if (CheckProfileName(stem)) names.push_back(stem);
  }
  std::sort(names.begin(), names.end());
  return names;
}

Outcome CheckNewProfileName(std::string_view name) {
  // A profile saved as "(previous)" would be lost at the next load.
  if (name == kPreviousProfile)
    return Outcome::Failed("the name " + std::string(kPreviousProfile) +
                           " is kept for the configuration a load replaces; choose another");
  if (Outcome named = CheckProfileName(name); !named) return named;
  // The same data folder can serve the Windows build, whose files cannot
  // bear these names. Profiles made elsewhere under such names still load.
  if (!IsValidUtf8(name)) return Outcome::Failed("a profile name must be UTF-8 text");
  if (name.find_first_of("<>:\"|?*") != std::string_view::npos)
    return Outcome::Failed("a profile name cannot hold < > : \" | ? or *");
  if (name.back() == ' ' || name.back() == '.') return Outcome::Failed("a profile name cannot end in a space or '.'");
  if (IsWindowsDeviceName(name))
    return Outcome::Failed("'" + std::string(name) + "' is a name Windows keeps for a device");
  return {};
}

Outcome SaveProfile(const std::filesystem::path& folder, std::string_view name, const Profile& profile) {
  if (Outcome named = CheckNewProfileName(name); !named) return named;
  return WriteProfile(folder, name, profile);
}

ProfileResult LoadProfile(const std::filesystem::path& folder, std::string_view name,
                          UiLanguage language) {
  if (Outcome named = CheckProfileName(name); !named) return {std::nullopt, named.Reason()};
  const std::filesystem::path file = FileOf(folder, name);
  const auto text = ReadWholeFile(file);
  if (!text && text.Code() == ENOENT)
    return {std::nullopt, "no profile '" + std::string(name) + "' (" + Utf8FromPath(file) + ")"};
  if (!text) return {std::nullopt, "cannot read " + Utf8FromPath(file) + ": " + text.Reason()};
  ProfileResult r = ProfileFromJson(*text, language);
  if (!r.profile) r.error = Utf8FromPath(file) + ": " + r.error;
  return r;
}

Outcome DeleteProfile(const std::filesystem::path& folder, std::string_view name) {
  if (Outcome named = CheckProfileName(name); !named) return named;
  std::error_code ec;
  if (!std::filesystem::remove(FileOf(folder, name), ec))
    return Outcome::Failed(ec ? "cannot delete profile '" + std::string(name) + "': " + ec.message()
                              : "no profile '" + std::string(name) + "'");
  return {};
}

ProfileResult LoadProfileIntoFiles(const std::filesystem::path& folder, std::string_view name,
                                   const Profile& current, const ConfigFiles& files) {
  ProfileResult loaded = LoadProfile(folder, name, current.captionLanguage);
  if (!loaded.profile) return loaded;
  if (Outcome kept = WriteProfile(folder, kPreviousProfile, current); !kept)
    return {std::nullopt, "the current configuration could not be kept as " +
                              std::string(kPreviousProfile) + ", so nothing was loaded: " + kept.Reason()};
  if (const Outcome written = WriteConfiguration(files, *loaded.profile); !written.Ok())
    return {std::nullopt, written.Reason()};
  return loaded;
}

}  // namespace corvaline
