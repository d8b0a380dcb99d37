// A profile: everything a configuration is (config.bin, the button captions
// of str.ini and the macros of record.ini) as one readable JSON document.
//
// Format ("format": "corvaline-profile", "version": 1), every member named:
//   "keyGroups": {"A": G, "B": G}, G = {"buttons": [10 x {"button": 1..10,
//       "function": words as `corvalinectl set button` takes them,
//       "caption": the text of the button's box}],
//       "hiddenCaptions": [captions of the two stored-only slots]}
//   "editedKeyGroup": "A" | "B"       the group the Basic page shows
//   "captionLanguage": "EN" | "CHS" | "CHT"
//   "reportRate": 125 | 250 | 500 | 1000
//   "dpiStages": [4 x {"stage": 1..4, "on": bool, "level": 1.., "colour": "#RRGGBB"}]
//   "lighting": {"effect": "off"|"standard"|"respiration"|"neon",
//       "standardBrightness", "respirationSpeed", "neonPeriod": the list texts,
//       "standardOption", "respirationOption", "neonOption": option names}
//   "pointer": {"speedLevel", "wheelScrollLines": slider positions,
//       "doubleClickMs": 900, 830, ... 200 (or "doubleClickLevel": the slider
//       position), "wheelPageScroll", "precision": bool}
//   "macros": [up to 12 x {"name", "loopCount": 0..65535, "events": [item texts]}]
//   "preserved": {"<config.bin offset>": byte}   optional: the bytes no other
//       member decides (unused parameter columns, the stored-only slots,
//       reserved bytes, the first-run flag), so export then import is exact.
// A value that has no text (possible only in a damaged file) is written as
// its stored number.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/i18n/ui_language.h"
#include "core/outcome.h"
#include "core/settings/item_texts.h"
#include "core/settings/settings_block.h"

namespace corvaline {

inline constexpr std::string_view kProfileFormat = "corvaline-profile";
inline constexpr int kProfileVersion = 1;

struct ProfileMacro {
  std::string name;
  int loopCount = 0;
  std::vector<std::string> items;  // record.ini's texts: "A   Dn", "50 ms", "A   Up"
};

struct Profile {
  std::uint8_t firstRunFlag = 0;
  SettingsBlock block{};
  ButtonCaptions captions;
  UiLanguage captionLanguage = UiLanguage::EN;
  std::vector<ProfileMacro> macros;
};

// The three files of a configuration.
struct ConfigFiles {
  std::filesystem::path configBin, strIni, recordIni;
  // config.bin's folder holds the other two.
  static ConfigFiles Beside(const std::filesystem::path& configBin);
};

struct [[nodiscard]] ProfileResult {
  ProfileResult() = default;
  ProfileResult(std::optional<Profile> p, std::string e)
      : profile(std::move(p)), error(std::move(e)) {}
  std::optional<Profile> profile;
  std::string error;  // one line, when profile is empty
  // One line each, for a profile that was read but holds what the editing
  // rules would not make (button tables written elsewhere): kept as it is.
  std::vector<std::string> warnings;
};

// Reads the configuration: config.bin must be exactly 1986 bytes; captions
// come from str.ini's section of its own language; macros from record.ini
// (names, items) with the loop counts of config.bin.
ProfileResult ReadConfiguration(const ConfigFiles& files);

// The configuration a running program holds: its working block, its
// captions, and the macros of record.ini with the block's loop counts.
Profile ProfileOf(const SettingsStore& store, const ButtonCaptions& captions, UiLanguage lang,
                  const std::filesystem::path& recordIni);

// Writes the three files: config.bin whole (first-run flag as in the
// profile), the captions into str.ini's section of the profile's language
// (str.ini is created only when there are captions to keep), record.ini's
// sections in macro order (left alone when it already holds exactly them).
// config.bin must exist: like the program, this never creates it. Without
// `withMacros` record.ini is not looked at (a change of one setting).
Outcome WriteConfiguration(const ConfigFiles& files, const Profile& profile,
                           bool withMacros = true);

// The profile as JSON text.
std::string ProfileToJson(const Profile& profile);

// Reads and checks a whole JSON profile; the first fault is reported as one
// line naming the member ("dpiStages[2].level: ..."). Captions are kept when
// the profile's language is `language`, else made anew in `language` from
// the functions, as the menus would write them.
ProfileResult ProfileFromJson(std::string_view text, UiLanguage language);

// Export's check: true when the JSON of the profile reads back to the same
// bytes (false only for a damaged config.bin whose values have no words).
bool ProfileRoundTripsExactly(const Profile& profile);

std::string_view LanguageCode(UiLanguage lang);  // "EN", "CHS", "CHT"

}  // namespace corvaline
