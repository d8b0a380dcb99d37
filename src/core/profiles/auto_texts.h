// The texts of automatic profiles in the three languages.
#pragma once

#include <string>
#include <string_view>

#include "core/i18n/ui_language.h"

namespace corvaline {

// "Switch automatically", the tray's checkable entry.
std::string_view AutoSwitchMenuText(UiLanguage lang);
// The tray entry giving `app` the profile now in use: Use "P" for APP.
std::string AutoAssignMenuText(std::string_view profile, std::string_view app, UiLanguage lang);
// The balloon after an automatic switch.
std::string AutoSwitchedText(std::string_view profile, std::string_view app, UiLanguage lang);
// The balloon, once per rule and run, when the profile a rule names cannot
// be loaded (deleted, or a damaged file); `reason` says why, in the core's words.
std::string AutoProfileFailedText(std::string_view profile, std::string_view app,
                                  std::string_view reason, UiLanguage lang);
// Said once on GNOME Wayland without the Shell extension.
std::string_view AutoNeedsExtensionText(UiLanguage lang);

}  // namespace corvaline
