// The texts of the tray's "Profiles" submenu in the three languages.
#pragma once

#include <string>
#include <string_view>

#include "core/i18n/ui_language.h"

namespace corvaline {

enum class ProfileText {
  Menu,         // "Profiles"
  SaveCurrent,  // "Save Current Settings as Profile..."
  NoProfiles,   // "(no profiles)", a disabled entry
  NamePrompt,   // "Profile name:"
  Count
};

std::string_view ProfileUiText(ProfileText id, UiLanguage lang);

// The balloon after a profile was loaded, naming it.
std::string ProfileLoadedText(std::string_view name, UiLanguage lang);
// The balloon after the current settings were saved as a profile.
std::string ProfileSavedText(std::string_view name, UiLanguage lang);

}  // namespace corvaline
