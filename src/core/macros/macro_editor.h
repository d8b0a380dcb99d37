// The macro editor of the Advanced page as a model: the macro list, the
// selected macro's event list, the name and loop-count fields and the
// mouse-event drop-down. A view shows this state and forwards the user's
// actions, then redraws from the accessors (every operation may change the
// lists, the selections and the field texts); what the user must be told
// comes back as an Outcome for the view to show. Double click on a delay step: if CanEditDelay(), run the delay
// dialog and pass its result to EditDelay.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/buttons/dialog_results.h"
#include "core/outcome.h"
#include "core/settings/settings_block.h"

namespace corvaline {

inline constexpr int kMouseEventEntryCount = 9;
// The drop-down's entries, in their order.
const std::array<std::string_view, kMouseEventEntryCount>& MouseEventEntries();

inline constexpr int kMinDelayStepMs = 20;
inline constexpr int kMaxDelayStepMs = 10000;
inline constexpr int kRecordedDelayMs = 50;  // delay step of recorded and inserted events

class MacroEditor {
 public:
  MacroEditor(SettingsBlock& settings, std::filesystem::path recordIni);

  // The page is entered: list filled from record.ini in file order, the first
  // macro loaded and selected. Leaving drops everything not saved.
  void EnterPage();
  void LeavePage();

  const std::vector<std::string>& MacroNames() const { return names_; }
  int SelectedMacro() const { return selectedMacro_; }  // -1: none
  const std::vector<std::string>& Items() const { return items_; }
  int SelectedItem() const { return selectedItem_; }    // -1: none
  const std::string& NameText() const { return nameText_; }
  const std::string& LoopText() const { return loopText_; }
  const std::string& MouseEventHeader() const { return mouseEventHeader_; }
  bool MouseEventListOpen() const { return mouseEventListOpen_; }

  // Selection change in the macro list: loads that macro (LoadMacro).
  void SelectMacro(int index);
  // Text of the macro-name field as the user types it.
  void SetNameText(std::string text) { nameText_ = std::move(text); }
  // Text change in the loop-count field: 1..65535 is stored in the selected
  // macro's block; anything else turns the text into "1" and stores 1.
  void SetLoopCount(std::string text);

  // New: adds the typed name to the list (saved to record.ini only by Save).
  // Refused for a blank, too long, unstorable or taken name, or a full list.
  Outcome NewMacro();
  // Delete: removes the selected macro from the list and from record.ini;
  // fails when record.ini could not be written (the list has lost it anyway).
  Outcome DeleteMacro();
  // Confirm: writes the selected macro to record.ini (it becomes the last
  // section) and re-encodes every macro into the MacroArea. Fails when
  // record.ini could not be written, and warns when the mouse can hold only
  // the start of the saved macro.
  Outcome SaveMacro();

  void ToggleMouseEventList() { mouseEventListOpen_ = !mouseEventListOpen_; }
  void CloseMouseEventList() { mouseEventListOpen_ = false; }
  // Choice of drop-down entry 0..8 (-1: none chosen).
  void InsertMouseEvent(int entry);

  // Selection in the event list (click, hover or the recorder); -1 clears it.
  void SelectItem(int index);
  // Whether a double click may open the delay dialog: a delay step is selected.
  bool CanEditDelay() const;
  // The delay dialog closed with OK: the selected step becomes the entry,
  // held within 20..10000 ms.
  void EditDelay(const DelayResult& entered);
  // Context-menu Delete: removes the selected item.
  void DeleteItem();

  // Used by the recorder.
  void ClearItems();
  void AppendItem(std::string item);

 private:
  void LoadMacro();
  void InsertItems(std::size_t at, const std::vector<std::string>& items);
  Outcome NameUsable(std::string_view name) const;
  void ReloadNamesAfterSave(const std::string& savedName);

  SettingsBlock& settings_;
  std::filesystem::path recordIni_;
  std::vector<std::string> names_;
  // Loop count of each listed macro. Kept beside the MacroArea because a
  // Delete leaves the blocks as they are until the next save, so after it a
  // list position no longer names the block holding that macro's count.
  std::vector<int> loops_;
  int selectedMacro_ = -1;
  std::vector<std::string> items_;
  int selectedItem_ = -1;
  std::string nameText_;
  std::string loopText_;
  std::string mouseEventHeader_;
  bool mouseEventListOpen_ = false;
};

}  // namespace corvaline
