// What each parameter sub-dialog hands back when it ends with OK, and the
// field rules those dialogs apply while the user types. The button menus turn
// these results into ButtonTable columns and captions.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvaline {

// Single key: the captured key name as the platform spells it (may be empty).
struct SingleKeyResult {
  std::string keyName;
};

// Combination: one modifier picked from the list plus up to two captured keys.
// Empty names mean "none".
struct ComboKeyResult {
  std::string modifierName;
  std::string key1Name;
  std::string key2Name;
  int modifierPosition = -1;  // position in the modifier list, -1 if none chosen
};

// Fire key: the defaults are what the dialog returns when OK is pressed at once.
struct FireKeyResult {
  int position = 0;            // entry of the fire-key list, 0..60
  std::string keyName = "A";   // its name
  std::uint8_t speed = 32;     // 5..255, smaller is faster
  std::uint8_t times = 1;      // 0 = repeat until the button is released
};

// Multimedia and Windows keys: the chosen list entry and its caption.
struct MediaKeyResult {
  int position = 0;  // 0..6
  std::string caption;
};
struct WindowsKeyResult {
  int position = 0;  // 0..10
  std::string caption;
};

// Macro assignment: the macro's position in record.ini, the ticked repeat
// mode (1..3, as shown; the table stores it minus 1) and the macro's name.
struct MacroKeyResult {
  int macroIndex = 0;
  int repeatMode = 1;
  std::string macroName;
};

// Delay step of the macro editor: the number typed (0 when empty) and the text.
struct DelayResult {
  int value = 0;
  std::string text;
};

// The leading decimal digits of a field's text; 0 when it starts with none.
// Saturates instead of overflowing on absurdly long digit runs.
int LeadingNumber(std::string_view text);

// A field value after the dialog's range check: the number to keep and, when
// the field must be rewritten, its new text.
struct FieldCheck {
  int value = 0;
  bool replaced = false;
  std::string replacementText;
};

inline constexpr int kMinFireSpeed = 5;
inline constexpr int kMaxFireSpeed = 255;
inline constexpr int kMaxFireTimes = 255;

// Speed field, checked when it loses the focus (and at OK): below 5 or above
// 255 becomes "5".
FieldCheck CheckFireSpeedText(std::string_view text);
// Times field, checked on every change: above 255 becomes "1".
FieldCheck CheckFireTimesText(std::string_view text);
// Delay field, read on every change; the range is the macro editor's business.
int DelayValueFromText(std::string_view text);

}  // namespace corvaline
