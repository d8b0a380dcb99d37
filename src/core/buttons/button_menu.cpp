#include "core/buttons/button_menu.h"

#include "core/i18n/ui_strings.h"

namespace corvaline {
namespace {

constexpr int kBoxLeft = 252;
constexpr int kBoxRight = 463;
constexpr int kBoxTop = 199;
constexpr int kBoxHeight = 21;
constexpr int kRowPitch = 23;
constexpr int kListHeight = 270;
constexpr int kSideListLeft = 463;
constexpr int kSideListRight = 674;
constexpr int kSideListTop = 100;
constexpr int kFirstSideSlot = 6;

template <typename Result>
bool RunAndAssign(std::optional<Result> result, const ButtonEditTarget& target, int slot,
                  bool (*assign)(const ButtonEditTarget&, int, const Result&)) {
  return result && assign(target, slot, *result);
}

// Runs the sub-dialog of entries 8..13 and stores its result; a cancelled
// dialog changes nothing.
void RunSubDialog(const ButtonEditTarget& target, int slot, FunctionCategory c,
                  SubDialogRunner& dialogs) {
  switch (c) {
    case FunctionCategory::Windows:
      RunAndAssign(dialogs.RunWindowsDialog(), target, slot, &AssignWindowsKey);
      break;
    case FunctionCategory::Multimedia:
      RunAndAssign(dialogs.RunMediaDialog(), target, slot, &AssignMultimedia);
      break;
    case FunctionCategory::FireKey:
      RunAndAssign(dialogs.RunFireKeyDialog(), target, slot, &AssignFireKey);
      break;
    case FunctionCategory::SingleKey:
      RunAndAssign(dialogs.RunSingleKeyDialog(), target, slot, &AssignSingleKey);
      break;
    case FunctionCategory::ComboKey:
      RunAndAssign(dialogs.RunComboKeyDialog(), target, slot, &AssignComboKey);
      break;
    case FunctionCategory::MacroKey:
      RunAndAssign(dialogs.RunMacroDialog(), target, slot, &AssignMacroKey);
      break;
    default: break;
  }
}

}  // namespace

PixelRect FunctionBoxRect(int slot) {
  if (!IsVisibleButton(slot)) return {};
  const int top = kBoxTop + kRowPitch * slot;
  return {kBoxLeft, top, kBoxRight, top + kBoxHeight};
}

PixelRect FunctionListRect(int slot) {
  if (!IsVisibleButton(slot)) return {};
  if (slot < kFirstSideSlot) {
    const int top = kBoxTop + kBoxHeight + 1 + kRowPitch * slot;
    return {kBoxLeft, top, kBoxRight, top + kListHeight};
  }
  const int top = kSideListTop + kRowPitch * (slot - kFirstSideSlot);
  return {kSideListLeft, top, kSideListRight, top + kListHeight};
}

std::vector<std::string> FunctionMenuEntries(UiLanguage lang) {
  std::vector<std::string> entries;
  for (int c = 0; c < kFunctionCategories; ++c) entries.emplace_back(CategoryName(c, lang));
  return entries;
}

std::vector<std::string> DpiMenuEntries() { return {"DPI +", "DPI -", "DPI Loop", "Shift DPI"}; }

Outcome OpenFunctionMenu(FunctionMenuState& state, const ButtonEditTarget& target, int slot) {
  if (!IsVisibleButton(slot)) return {};
  if (state.IsOpen(slot)) {
    CloseFunctionMenus(state);
    return {};
  }
  CloseFunctionMenus(state);
  if (IsLastLeftClick(target.block.table(EditedGroup(target.block)), slot)) {
    return LeftKeyWarning(target.language);
  }
  state.openSlot = slot;
  return {};
}

void OnMenuHover(FunctionMenuState& state, int slot, int entry) {
  if (!state.IsOpen(slot)) return;
  state.dpiMenuOpen = entry == kDpiMenuEntry;
}

Outcome OnFunctionChosen(FunctionMenuState& state, const ButtonEditTarget& target, int slot, int entry,
                         SubDialogRunner& dialogs) {
  if (!state.IsOpen(slot)) return {};
  if (entry < 0 || entry >= kFunctionCategories || entry == kDpiMenuEntry) return {};
  const auto c = static_cast<FunctionCategory>(entry);
  Outcome message;
  if (c == FunctionCategory::Shift) {
    message = AssignShift(target, slot).refusal;
  } else if (c >= FunctionCategory::Windows && c <= FunctionCategory::MacroKey) {
    RunSubDialog(target, slot, c, dialogs);
  } else {
    AssignPlainFunction(target, slot, c);
  }
  CloseFunctionMenus(state);
  return message;
}

void OnDpiFunctionChosen(FunctionMenuState& state, const ButtonEditTarget& target, int position) {
  if (!state.dpiMenuOpen || state.openSlot < 0) return;
  AssignDpiFunction(target, state.openSlot, position);
  CloseFunctionMenus(state);
}

void CloseFunctionMenus(FunctionMenuState& state) { state = FunctionMenuState{}; }

int CurrentFunctionEntry(const SettingsBlock& block, int slot) {
  if (slot < 0 || slot >= kVisibleButtons) return -1;
  const int category = block.table(EditedGroup(block)).category[slot];
  return category < kFunctionCategories ? category : -1;
}

}  // namespace corvaline
