#include "core/macros/macro_editor.h"

#include <algorithm>

#include "core/i18n/ui_strings.h"
#include "core/macros/macro_encoder.h"
#include "core/macros/macro_items.h"
#include "core/macros/macro_messages.h"
#include "core/macros/record_store.h"
#include "core/settings/ini_file.h"
#include "core/system/captions.h"

namespace corvaline {
namespace {

constexpr std::string_view kClickWord = " Click";

std::string TrimBlanks(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return std::string(s.substr(first, s.find_last_not_of(" \t") - first + 1));
}

// A bracket or a line break would make the name read back as a different
// section name.
bool StorableAsSection(std::string_view name) {
  return std::none_of(name.begin(), name.end(), [](char c) {
    return c == '[' || c == ']' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
  });
}

// The items one drop-down entry stands for: a "Click" entry is a press and a
// release, the others one event. Each event is followed by its delay step.
std::vector<std::string> EventsOf(std::string_view entry) {
  const std::string delay = DelayItem(kRecordedDelayMs);
  const auto click = entry.find(kClickWord);
  if (click == std::string_view::npos) return {std::string(entry), delay};
  const std::string_view button = entry.substr(0, click);
  return {PressItem(button), delay, ReleaseItem(button), delay};
}

}  // namespace

const std::array<std::string_view, kMouseEventEntryCount>& MouseEventEntries() {
  static constexpr std::array<std::string_view, kMouseEventEntryCount> kEntries = {
      "L-Button Click", "R-Button Click", "M-Button Click", "L-Button   Dn", "L-Button   Up",
      "R-Button   Dn",  "R-Button   Up",  "M-Button   Dn",  "M-Button   Up"};
  return kEntries;
}

MacroEditor::MacroEditor(SettingsBlock& settings, std::filesystem::path recordIni)
    : settings_(settings), recordIni_(std::move(recordIni)) {}

void MacroEditor::EnterPage() {
  LeavePage();
  names_ = ListMacroNames(recordIni_);
  for (std::size_t k = 0; k < names_.size(); ++k) {
    loops_.push_back(MacroLoopCount(settings_, static_cast<int>(k)));
  }
  if (names_.empty()) return;
  selectedMacro_ = 0;
  nameText_ = names_[0];
  items_ = ReadMacroItems(recordIni_, names_[0]);
  loopText_ = std::to_string(loops_[0]);
}

void MacroEditor::LeavePage() {
  names_.clear();
  loops_.clear();
  items_.clear();
  selectedMacro_ = -1;
  selectedItem_ = -1;
  nameText_.clear();
  loopText_.clear();
  mouseEventHeader_.clear();
  mouseEventListOpen_ = false;
}

void MacroEditor::SelectMacro(int index) {
  if (index < 0 || index >= static_cast<int>(names_.size())) {
    selectedMacro_ = -1;
    return;
  }
  selectedMacro_ = index;
  LoadMacro();
}

void MacroEditor::LoadMacro() {
  nameText_ = names_[selectedMacro_];
  items_ = ReadMacroItems(recordIni_, nameText_);
  selectedItem_ = -1;
  loopText_ = std::to_string(loops_[selectedMacro_]);
}

void MacroEditor::SetLoopCount(std::string text) {
  int loops = ParseLeadingInt(text);
  if (loops <= 0 || loops > 0xFFFF) {
    text = "1";
    loops = 1;
  }
  loopText_ = std::move(text);
  if (selectedMacro_ < 0) return;
  loops_[selectedMacro_] = loops;
  SetMacroLoopCount(settings_, selectedMacro_, loops);
}

namespace {
Outcome Refused(std::string_view text, std::string_view caption) {
  return Outcome::Failed(std::string(text), caption);
}
Outcome RecordNotSaved() {
  return Refused(MacroMessageText(MacroMessage::RecordNotSaved, CurrentLanguage()), kAppTitle);
}
}  // namespace

Outcome MacroEditor::NameUsable(std::string_view name) const {
  if (Utf16Length(name) > kMacroNameMax)
    return Refused(MacroMessageText(MacroMessage::NameTooLong, CurrentLanguage()), kWarningCaption);
  if (!StorableAsSection(name))
    return Refused(MacroMessageText(MacroMessage::NameUnstorable, CurrentLanguage()), kWarningCaption);
  return {};
}

Outcome MacroEditor::NewMacro() {
  // The INI file drops blanks around a section name, so the list must too.
  const std::string name = TrimBlanks(nameText_);
  if (name.empty()) return Refused(UiText(MainText::MsgMacroNameBlank), kAppTitle);
  const int count = static_cast<int>(names_.size());
  if (count >= kMaxMacros) return Refused(kMsgMacroLimit, kWarningCaption);
  if (Outcome usable = NameUsable(name); !usable.Ok()) return usable;
  // The list box's exact-string search: whole text, letter case ignored.
  const bool exists = std::any_of(names_.begin(), names_.end(), [&](const std::string& n) {
    return IniNameEquals(n, name);
  });
  if (exists) return Refused(UiText(MainText::MsgMacroNameExists), kAppTitle);
  names_.push_back(name);
  // A new macro starts with one pass, not with whatever its block held.
  loops_.push_back(1);
  loopText_ = "1";
  nameText_ = name;
  if (count > 0) ClearItems();
  selectedMacro_ = count;
  return {};
}

Outcome MacroEditor::DeleteMacro() {
  if (selectedMacro_ < 0 || selectedMacro_ >= static_cast<int>(names_.size())) return {};
  const std::string name = names_[selectedMacro_];
  names_.erase(names_.begin() + selectedMacro_);
  loops_.erase(loops_.begin() + selectedMacro_);
  selectedMacro_ = -1;
  ClearItems();
  nameText_.clear();
  if (!DeleteMacroSection(recordIni_, name)) return RecordNotSaved();
  return {};
}

Outcome MacroEditor::SaveMacro() {
  if (selectedMacro_ < 0 || selectedMacro_ >= static_cast<int>(names_.size())) return {};
  const std::string name = names_[selectedMacro_];
  if (!WriteMacroSection(recordIni_, name, items_)) return RecordNotSaved();
  ReloadNamesAfterSave(name);

  // Tell the user when the mouse cannot hold the whole macro.
  MacroBlockBytes scratch{};
  const BlockEncodeResult fit = EncodeMacroBlock(items_, scratch);
  if (fit.truncated)
    return Refused(TruncatedMacroText(name, fit.eventsEncoded, CurrentLanguage()), kWarningCaption);
  return {};
}

// The save moved the macro to the end of the file. The list follows the file
// order again, so a list position is always the block that SetLoopCount
// writes, and each loop count moves with its macro. Names added with New and
// not saved yet stay in the list after the saved ones.
void MacroEditor::ReloadNamesAfterSave(const std::string& savedName) {
  // Only called once the file was written, so it is there to encode.
  static_cast<void>(EncodeMacroArea(recordIni_, settings_));
  std::vector<std::string> order = ListMacroNames(recordIni_);
  const std::size_t inFileCount = order.size();
  for (const std::string& n : names_) {
    const bool inFile = std::any_of(order.begin(), order.end(),
                                    [&](const std::string& f) { return IniNameEquals(f, n); });
    if (!inFile && order.size() < static_cast<std::size_t>(kMaxMacros)) order.push_back(n);
  }
  std::vector<int> loops(order.size());
  selectedMacro_ = -1;
  for (std::size_t k = 0; k < order.size(); ++k) {
    loops[k] = MacroLoopCount(settings_, static_cast<int>(k));  // a section added by hand
    for (std::size_t i = 0; i < names_.size(); ++i) {
      if (IniNameEquals(names_[i], order[k])) loops[k] = loops_[i];
    }
    // An empty macro's block stays all zero, as the encoder left it.
    if (k >= inFileCount || ReadMacroItemCount(recordIni_, order[k]) > 0) {
      SetMacroLoopCount(settings_, static_cast<int>(k), loops[k]);
    }
    if (IniNameEquals(order[k], savedName)) selectedMacro_ = static_cast<int>(k);
  }
  names_ = std::move(order);
  loops_ = std::move(loops);
}

void MacroEditor::InsertMouseEvent(int entry) {
  mouseEventListOpen_ = false;
  if (entry < 0 || entry >= kMouseEventEntryCount) return;
  const std::string_view chosen = MouseEventEntries()[entry];
  std::vector<std::string> events = EventsOf(chosen);

  if (selectedItem_ < 0 || selectedItem_ >= static_cast<int>(items_.size())) {
    if (items_.empty() && selectedMacro_ >= 0) InsertItems(0, events);
  } else if (LooksLikeDelayItem(items_[selectedItem_])) {
    // After a delay: the events come first, each with its delay step.
    InsertItems(selectedItem_ + 1, events);
    selectedItem_ += 1;
  } else {
    // After an event: its delay step comes first, so the events alternate.
    std::rotate(events.rbegin(), events.rbegin() + 1, events.rend());
    InsertItems(selectedItem_ + 1, events);
    selectedItem_ += 2;
  }
  mouseEventHeader_ = std::string(chosen);
}

void MacroEditor::InsertItems(std::size_t at, const std::vector<std::string>& items) {
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), items.begin(), items.end());
}

void MacroEditor::SelectItem(int index) {
  selectedItem_ = (index >= 0 && index < static_cast<int>(items_.size())) ? index : -1;
}

bool MacroEditor::CanEditDelay() const {
  return selectedItem_ >= 0 && selectedItem_ < static_cast<int>(items_.size()) &&
         LooksLikeDelayItem(items_[selectedItem_]);
}

void MacroEditor::EditDelay(const DelayResult& entered) {
  if (!CanEditDelay()) return;
  std::string text;
  if (entered.value < kMinDelayStepMs) {
    text = DelayItem(kMinDelayStepMs);
  } else if (entered.value > kMaxDelayStepMs) {
    text = DelayItem(kMaxDelayStepMs);
  } else if (ParseLeadingInt(entered.text) == entered.value) {
    text = entered.text + std::string(kDelaySuffix);  // as typed, e.g. "0250 ms"
  } else {
    text = DelayItem(entered.value);
  }
  items_[selectedItem_] = std::move(text);
}

void MacroEditor::DeleteItem() {
  if (selectedItem_ < 0 || selectedItem_ >= static_cast<int>(items_.size())) return;
  items_.erase(items_.begin() + selectedItem_);
  selectedItem_ = -1;
}

void MacroEditor::ClearItems() {
  items_.clear();
  selectedItem_ = -1;
}

void MacroEditor::AppendItem(std::string item) { items_.push_back(std::move(item)); }

}  // namespace corvaline
