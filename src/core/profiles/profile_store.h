// Named profiles on the computer: one JSON profile per file in the data
// folder's "profiles" folder, any number of them. Loading one keeps the
// configuration it replaces as the profile "(previous)".
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/profiles/profile.h"

namespace corvaline {

inline constexpr std::string_view kPreviousProfile = "(previous)";
inline constexpr std::string_view kProfileExtension = ".json";

// <data folder>/profiles
std::filesystem::path ProfilesFolder(const std::filesystem::path& dataFolder);

// Done when the name can be a profile's, else why not. A name is a file
// name: not empty, at most 100 bytes, no '/', '\' or control characters,
// not starting with '.'.
Outcome CheckProfileName(std::string_view name);

// CheckProfileName, and "(previous)" is not a name to save under: it belongs
// to the configuration the next load replaces.
Outcome CheckNewProfileName(std::string_view name);

// The names of the saved profiles, sorted.
std::vector<std::string> ListProfiles(const std::filesystem::path& folder);

// Writes the profile as NAME.json (atomically; the folder is made when
// missing); NAME passes CheckNewProfileName.
Outcome SaveProfile(const std::filesystem::path& folder, std::string_view name, const Profile& profile);

// Reads and checks NAME.json; captions as ProfileFromJson makes them.
ProfileResult LoadProfile(const std::filesystem::path& folder, std::string_view name,
                          UiLanguage language);

// Removes NAME.json.
Outcome DeleteProfile(const std::filesystem::path& folder, std::string_view name);

// `profile load`: checks the named profile whole, keeps `current` as
// "(previous)" and only then writes the profile into the files. Loading
// "(previous)" swaps the two. Returns the loaded profile or the reason.
ProfileResult LoadProfileIntoFiles(const std::filesystem::path& folder, std::string_view name,
                                   const Profile& current, const ConfigFiles& files);

}  // namespace corvaline
