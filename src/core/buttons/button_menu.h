// The function menus of the Basic page as a model: which button's list is
// open, the DPI sub-menu beside it, and what a choice in them does. A view
// draws the lists from this state and forwards the clicks; the sub-dialogs
// are run through SubDialogRunner, so tests drive the menus without windows.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/buttons/button_assign.h"
#include "core/buttons/dialog_results.h"
#include "core/pixel_rect.h"

namespace corvaline {

// The box of visible slot 0..9 and the place of its function list (under the
// box for slots 0..5, to the right of the boxes for slots 6..9).
PixelRect FunctionBoxRect(int slot);
PixelRect FunctionListRect(int slot);
inline constexpr int kFunctionListControlBase = 41;  // control id 41 + slot
inline constexpr int kDpiMenuControlId = 37;
inline constexpr int kDpiMenuWidth = 60;
inline constexpr int kDpiMenuHeight = 80;
inline constexpr int kDpiMenuEntry = 6;  // "DPI Switch" opens the sub-menu

// The sixteen entries of a function list (position = category code).
std::vector<std::string> FunctionMenuEntries(UiLanguage lang);
// The four entries of the DPI sub-menu, the same in every language.
std::vector<std::string> DpiMenuEntries();

// The modal sub-dialogs, run by the view. Each returns its result after OK,
// or nullopt when cancelled.
class SubDialogRunner {
 public:
  virtual ~SubDialogRunner() = default;
  virtual std::optional<WindowsKeyResult> RunWindowsDialog() = 0;
  virtual std::optional<MediaKeyResult> RunMediaDialog() = 0;
  virtual std::optional<FireKeyResult> RunFireKeyDialog() = 0;
  virtual std::optional<SingleKeyResult> RunSingleKeyDialog() = 0;
  virtual std::optional<ComboKeyResult> RunComboKeyDialog() = 0;
  virtual std::optional<MacroKeyResult> RunMacroDialog() = 0;
};

// At most one function list and one DPI sub-menu are open.
struct FunctionMenuState {
  int openSlot = -1;        // slot whose function list is open, -1 for none
  bool dpiMenuOpen = false; // the DPI sub-menu beside the open list
  bool IsOpen(int slot) const { return openSlot >= 0 && openSlot == slot; }
};

// A click on box s: closes its list when open; otherwise closes any other
// list and opens this one, unless the slot is its group's last left button,
// in which case nothing opens and the refusal (the warning) must be shown.
Outcome OpenFunctionMenu(FunctionMenuState& state, const ButtonEditTarget& target, int slot);

// The entry of slot s's list that stands for the button's function now
// (entries are in category order), where an opening list marks and the keys
// start; -1 for a slot or a stored category outside the list.
int CurrentFunctionEntry(const SettingsBlock& block, int slot);

// The pointer's entry in the open list of slot s changed: "DPI Switch" opens
// the DPI sub-menu, any other entry closes it.
void OnMenuHover(FunctionMenuState& state, int slot, int entry);

// Entry d of slot s's list was clicked (d < 0: nothing selected). "DPI
// Switch" and no selection leave the list open; every other entry is
// applied (running its sub-dialog first where it has one) and closes the list.
// Fails with the warning to show when the choice was refused with one.
Outcome OnFunctionChosen(FunctionMenuState& state, const ButtonEditTarget& target, int slot, int entry,
                         SubDialogRunner& dialogs);

// Entry 0..3 of the DPI sub-menu was clicked: the open slot gets that DPI
// function, and both lists close.
void OnDpiFunctionChosen(FunctionMenuState& state, const ButtonEditTarget& target, int position);

// Closes every list (page left, click elsewhere, before the Default command).
void CloseFunctionMenus(FunctionMenuState& state);

}  // namespace corvaline
