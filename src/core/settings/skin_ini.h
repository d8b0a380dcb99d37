// skin.ini: the colours a skin declares for itself, in a small UTF-8 INI file
// in the skin's folder. Section "Skin":
//   TextColor=R,G,B             the text colour the skin is drawn for
//   ListTextColor / ListBackColor          open lists
//   EditTextColor / EditBackColor          edit fields
//   DropDownTextColor / DropDownBackColor  the boxes that show a choice
//   FocusColor                  the keyboard's focus mark around a control
//   FocusContrastColor          the mark where FocusColor would not stand out
//                               (each mark pixel takes the one of the two
//                               that contrasts more with what it covers)
// Each value is three decimal numbers 0..255 separated by commas. A skin
// without the file, or a key that is missing or not of that form, keeps the
// program's own colour for that place: skins made for the original program
// work as they always did.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvaline {

inline constexpr std::string_view kSkinIniName = "skin.ini";
inline constexpr std::string_view kSkinIniSection = "Skin";

using Rgb = std::array<std::uint8_t, 3>;

struct SkinColours {
  std::optional<Rgb> text;
  std::optional<Rgb> listText, listBack;
  std::optional<Rgb> editText, editBack;
  std::optional<Rgb> dropDownText, dropDownBack;
  std::optional<Rgb> focus, focusContrast;
  bool operator==(const SkinColours&) const = default;
};

// "R,G,B" with blanks allowed around each number; nullopt for anything else
// (a missing part, a number above 255, a sign, trailing text).
std::optional<Rgb> ParseRgb(std::string_view text);
std::string FormatRgb(const Rgb& rgb);

// The colours from the key=value lines of section "Skin" (names without
// regard to letter case, as every INI key of the program).
SkinColours SkinColoursFrom(const std::vector<std::pair<std::string, std::string>>& entries);
// The file's key=value lines for these colours, in the order above.
std::vector<std::pair<std::string, std::string>> SkinIniEntries(const SkinColours& colours);

// Reads <skinFolder>/skin.ini; all unset when there is none.
SkinColours ReadSkinColours(const std::filesystem::path& skinFolder);

}  // namespace corvaline
