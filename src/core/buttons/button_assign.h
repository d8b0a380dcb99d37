// The rules that write a button function into the SettingsBlock and its
// caption: which key group changes, the single Shift button, the left button
// that must remain, and the caption each choice produces.
#pragma once

#include <string>
#include <string_view>

#include "core/buttons/button_action.h"
#include "core/buttons/dialog_results.h"
#include "core/i18n/ui_language.h"
#include "core/outcome.h"
#include "core/settings/item_texts.h"
#include "core/settings/settings_block.h"
#include "core/system/captions.h"

namespace corvaline {

// What the buttons are edited on: the working block, the in-memory captions of
// both key groups and the language the captions are written in.
struct ButtonEditTarget {
  SettingsBlock& block;
  ButtonCaptions& captions;
  UiLanguage language;
};

// The key group the Basic page edits. A stored currentMode other than 0 or 1
// (a damaged config.bin) is treated as Mode A rather than indexing past the
// two tables.
KeyGroup EditedGroup(const SettingsBlock& block);
KeyGroup OtherGroup(KeyGroup group);

// The visible slot 0..9 of a table that holds Shift, or -1.
int ShiftSlot(const ButtonTable& table);

// True when the visible slot is the table's only Left Click, so giving it
// another function would leave that key group without a left button.
bool IsLastLeftClick(const ButtonTable& table, int slot);

// The left-key warning in the target's language: a refusal, its text under
// the caption "Warning".
Outcome LeftKeyWarning(UiLanguage lang);

// Categories that need no parameters: Left/Right/Mid Click, Forward, Backward,
// Triple-click, RGB On/Off, Key Off. Anything else is refused (false).
bool AssignPlainFunction(const ButtonEditTarget& target, int slot, FunctionCategory category);

// Shift: set for the slot in both key groups. Refused silently (no change, no
// message) while any slot of either group holds Shift; refused with the
// left-key warning when the slot is either group's only left button.
struct [[nodiscard]] AssignOutcome {
  bool assigned = false;
  Outcome refusal;  // failed when the change was refused with a warning to show
};
AssignOutcome AssignShift(const ButtonEditTarget& target, int slot);

// DPI sub-menu position 0..3 ("DPI +", "DPI -", "DPI Loop", "Shift DPI"):
// category DPI Switch with selector position + 1. Replacing a Shift slot
// follows the rule of the sub-dialog results below, the selector included.
bool AssignDpiFunction(const ButtonEditTarget& target, int slot, int position);

// Results of the sub-dialogs. Each writes the parameter columns of the edited
// key group, builds the caption and sets the category. When the slot was the
// Shift button, category, caption and parameters go to both groups so that
// both agree with what the button does.
bool AssignWindowsKey(const ButtonEditTarget& target, int slot, const WindowsKeyResult& result);
bool AssignMultimedia(const ButtonEditTarget& target, int slot, const MediaKeyResult& result);
bool AssignFireKey(const ButtonEditTarget& target, int slot, const FireKeyResult& result);
bool AssignSingleKey(const ButtonEditTarget& target, int slot, const SingleKeyResult& result);
bool AssignComboKey(const ButtonEditTarget& target, int slot, const ComboKeyResult& result);
bool AssignMacroKey(const ButtonEditTarget& target, int slot, const MacroKeyResult& result);

// Caption of a combination: the category text, "-", then the modifier and the
// key names whose codes are known, joined by "+".
std::string ComboKeyCaption(UiLanguage lang, const ComboKeyResult& result);

// The Default command: button defaults in both tables (other fields untouched)
// and the default captions of both groups.
void RestoreDefaultFunctions(SettingsBlock& block, ButtonCaptions& captions, UiLanguage lang);
void RestoreDefaultFunctions(SettingsBlock& block, ItemTexts& texts, UiLanguage lang);

}  // namespace corvaline
