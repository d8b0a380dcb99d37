#include "core/buttons/button_assign.h"

#include <array>

#include "core/buttons/key_tables.h"
#include "core/i18n/ui_strings.h"

namespace corvaline {
namespace {

constexpr int kMacroCount = kMacroBlocks;
constexpr int kRepeatModes = 3;

constexpr std::array<std::string_view, 4> kDpiEntryTexts = {"DPI +", "DPI -", "DPI Loop",
                                                           "Shift DPI"};

int GroupIndex(KeyGroup g) { return static_cast<int>(g); }

std::string Text(FunctionCategory c, UiLanguage lang) {
  return std::string(CategoryName(static_cast<int>(c), lang));
}

std::string Prefixed(FunctionCategory c, UiLanguage lang, std::string_view tail) {
  return Text(c, lang) + "-" + std::string(tail);
}

// The parameter columns a category reads, copied from one key group to the
// other when a Shift slot gets a new function.
void CopyParameters(SettingsBlock& block, KeyGroup from, KeyGroup to, int s,
                    FunctionCategory c) {
  const ButtonTable& f = block.table(from);
  ButtonTable& t = block.table(to);
  switch (c) {
    case FunctionCategory::DpiSwitch:
      block.dpiSwitchSelector[GroupIndex(to)][s] = block.dpiSwitchSelector[GroupIndex(from)][s];
      break;
    case FunctionCategory::Windows:
      t.windowsIndex[s] = f.windowsIndex[s];
      t.windowsUsageLow[s] = f.windowsUsageLow[s];
      t.windowsUsageHigh[s] = f.windowsUsageHigh[s];
      break;
    case FunctionCategory::Multimedia:
      t.mediaIndex[s] = f.mediaIndex[s];
      t.mediaUsage[s] = f.mediaUsage[s];
      break;
    case FunctionCategory::FireKey:
      t.fireKeyIndex[s] = f.fireKeyIndex[s];
      t.fireKeyUsage[s] = f.fireKeyUsage[s];
      t.fireSpeed[s] = f.fireSpeed[s];
      t.fireTimes[s] = f.fireTimes[s];
      break;
    case FunctionCategory::SingleKey: t.singleKeyUsage[s] = f.singleKeyUsage[s]; break;
    case FunctionCategory::ComboKey:
      t.comboModifiers[s] = f.comboModifiers[s];
      t.comboKey1[s] = f.comboKey1[s];
      t.comboKey2[s] = f.comboKey2[s];
      break;
    case FunctionCategory::MacroKey:
      t.macroIndex[s] = f.macroIndex[s];
      t.macroRepeatMode[s] = f.macroRepeatMode[s];
      break;
    default: break;  // the other categories read no parameters
  }
}

// Whether the edited group's slot may take a new function at all: the last
// left button of a group stays.
bool MayReplace(const ButtonEditTarget& target, int slot, FunctionCategory c) {
  if (!IsVisibleButton(slot)) return false;
  const ButtonTable& t = target.block.table(EditedGroup(target.block));
  return c == FunctionCategory::LeftClick || !IsLastLeftClick(t, slot);
}

// Sets the category and caption of the edited group's slot, whose parameter
// columns the caller has already written. A slot that was the Shift button
// changes in both groups, parameters included, so that the other group's
// caption and behaviour agree.
void Commit(const ButtonEditTarget& target, int slot, FunctionCategory c, std::string caption) {
  SettingsBlock& block = target.block;
  const KeyGroup g = EditedGroup(block);
  const KeyGroup other = OtherGroup(g);
  const bool wasShift =
      block.table(g).category[slot] == static_cast<std::uint8_t>(FunctionCategory::Shift);
  block.table(g).category[slot] = static_cast<std::uint8_t>(c);
  if (wasShift) {
    block.table(other).category[slot] = static_cast<std::uint8_t>(c);
    CopyParameters(block, g, other, slot, c);
    target.captions[GroupIndex(other)][slot] = caption;
  }
  target.captions[GroupIndex(g)][slot] = std::move(caption);
}

ButtonTable& Edited(const ButtonEditTarget& target) {
  return target.block.table(EditedGroup(target.block));
}

}  // namespace

KeyGroup EditedGroup(const SettingsBlock& block) {
  return block.currentMode == 1 ? KeyGroup::ModeB : KeyGroup::ModeA;
}

KeyGroup OtherGroup(KeyGroup group) {
  return group == KeyGroup::ModeA ? KeyGroup::ModeB : KeyGroup::ModeA;
}

int ShiftSlot(const ButtonTable& table) {
  for (int s = 0; s < kVisibleButtons; ++s) {
    if (table.category[s] == static_cast<std::uint8_t>(FunctionCategory::Shift)) return s;
  }
  return -1;
}

bool IsLastLeftClick(const ButtonTable& table, int slot) {
  if (!IsVisibleButton(slot) || table.category[slot] != 0) return false;
  // Only the ten buttons count: slots 10 and 11 are never sent, so a Left
  // Click stored there gives the mouse no left button.
  for (int s = 0; s < kVisibleButtons; ++s) {
    if (s != slot && table.category[s] == 0) return false;
  }
  return true;
}

Outcome LeftKeyWarning(UiLanguage lang) {
  return Outcome::Failed(std::string(UiText(MainText::MsgLeftKeyRequired, lang)), kWarningCaption);
}

bool AssignPlainFunction(const ButtonEditTarget& target, int slot, FunctionCategory category) {
  switch (category) {
    case FunctionCategory::LeftClick:
    case FunctionCategory::RightClick:
    case FunctionCategory::MidClick:
    case FunctionCategory::Forward:
    case FunctionCategory::Backward:
    case FunctionCategory::TripleClick:
    case FunctionCategory::RgbOnOff:
    case FunctionCategory::KeyOff: break;
    default: return false;
  }
  if (!MayReplace(target, slot, category)) return false;
  Commit(target, slot, category, Text(category, target.language));
  return true;
}

AssignOutcome AssignShift(const ButtonEditTarget& target, int slot) {
  if (!IsVisibleButton(slot)) return {};
  SettingsBlock& block = target.block;
  // One Shift button in all: look at both groups, so a damaged block with a
  // Shift in one group only does not end up with two.
  if (ShiftSlot(block.table(KeyGroup::ModeA)) >= 0 ||
      ShiftSlot(block.table(KeyGroup::ModeB)) >= 0) {
    return {};
  }
  // Shift lands in both groups: it must not take the last left button of
  // the group that is not being looked at either.
  if (IsLastLeftClick(block.table(KeyGroup::ModeA), slot) ||
      IsLastLeftClick(block.table(KeyGroup::ModeB), slot)) {
    return {false, LeftKeyWarning(target.language)};
  }
  const std::string caption = Text(FunctionCategory::Shift, target.language);
  for (int g = 0; g < 2; ++g) {
    block.buttons[g].category[slot] = static_cast<std::uint8_t>(FunctionCategory::Shift);
    target.captions[g][slot] = caption;
  }
  return {true, {}};
}

bool AssignDpiFunction(const ButtonEditTarget& target, int slot, int position) {
  if (position < 0 || position >= static_cast<int>(kDpiEntryTexts.size())) return false;
  if (!MayReplace(target, slot, FunctionCategory::DpiSwitch)) return false;
  const int g = GroupIndex(EditedGroup(target.block));
  target.block.dpiSwitchSelector[g][slot] = static_cast<std::uint8_t>(position + 1);
  Commit(target, slot, FunctionCategory::DpiSwitch, std::string(kDpiEntryTexts[position]));
  return true;
}

bool AssignWindowsKey(const ButtonEditTarget& target, int slot, const WindowsKeyResult& result) {
  if (!MayReplace(target, slot, FunctionCategory::Windows)) return false;
  ButtonTable& t = Edited(target);
  t.windowsIndex[slot] = static_cast<std::uint8_t>(result.position);
  t.windowsUsageLow[slot] = WindowsUsageLowAt(result.position);
  t.windowsUsageHigh[slot] = WindowsUsageHighAt(result.position);
  Commit(target, slot, FunctionCategory::Windows,
         std::string(WindowsEntryText(result.position, target.language)));
  return true;
}

bool AssignMultimedia(const ButtonEditTarget& target, int slot, const MediaKeyResult& result) {
  if (!MayReplace(target, slot, FunctionCategory::Multimedia)) return false;
  ButtonTable& t = Edited(target);
  t.mediaIndex[slot] = static_cast<std::uint8_t>(result.position);
  t.mediaUsage[slot] = MediaUsageAt(result.position);
  Commit(target, slot, FunctionCategory::Multimedia,
         Prefixed(FunctionCategory::Multimedia, target.language,
                  MediaEntryText(result.position, target.language)));
  return true;
}

bool AssignFireKey(const ButtonEditTarget& target, int slot, const FireKeyResult& result) {
  if (!MayReplace(target, slot, FunctionCategory::FireKey)) return false;
  ButtonTable& t = Edited(target);
  t.fireKeyIndex[slot] = static_cast<std::uint8_t>(result.position);
  t.fireKeyUsage[slot] = FireKeyCodeAt(result.position);
  // The dialog keeps the speed in range; a speed below the fastest the mouse
  // takes gets the same replacement the dialog would give it.
  t.fireSpeed[slot] = result.speed < kMinFireSpeed ? kMinFireSpeed : result.speed;
  t.fireTimes[slot] = result.times;
  // The caption names the entry whose code is stored, so the two agree.
  Commit(target, slot, FunctionCategory::FireKey,
         Prefixed(FunctionCategory::FireKey, target.language, FireKeyNameAt(result.position)));
  return true;
}

bool AssignSingleKey(const ButtonEditTarget& target, int slot, const SingleKeyResult& result) {
  if (!MayReplace(target, slot, FunctionCategory::SingleKey)) return false;
  Edited(target).singleKeyUsage[slot] = KeyNameToCode(result.keyName);
  // An unknown name is stored as 0 (the disabled button) but still shown.
  Commit(target, slot, FunctionCategory::SingleKey,
         Prefixed(FunctionCategory::SingleKey, target.language, result.keyName));
  return true;
}

std::string ComboKeyCaption(UiLanguage lang, const ComboKeyResult& result) {
  std::string parts;
  auto add = [&parts](std::string_view name) {
    if (!parts.empty()) parts += '+';
    parts += name;
  };
  if (ModifierNameToBits(result.modifierName) != 0) add(result.modifierName);
  if (KeyNameToCode(result.key1Name) != 0) add(result.key1Name);
  if (KeyNameToCode(result.key2Name) != 0) add(result.key2Name);
  return Prefixed(FunctionCategory::ComboKey, lang, parts);
}

bool AssignComboKey(const ButtonEditTarget& target, int slot, const ComboKeyResult& result) {
  if (!MayReplace(target, slot, FunctionCategory::ComboKey)) return false;
  ButtonTable& t = Edited(target);
  t.comboModifiers[slot] = ModifierNameToBits(result.modifierName);
  t.comboKey1[slot] = KeyNameToCode(result.key1Name);
  t.comboKey2[slot] = KeyNameToCode(result.key2Name);
  Commit(target, slot, FunctionCategory::ComboKey, ComboKeyCaption(target.language, result));
  return true;
}

bool AssignMacroKey(const ButtonEditTarget& target, int slot, const MacroKeyResult& result) {
  // The mouse holds twelve macros; a position beyond them would name a macro
  // it does not have, so such a result changes nothing.
  if (result.macroIndex < 0 || result.macroIndex >= kMacroCount) return false;
  if (!MayReplace(target, slot, FunctionCategory::MacroKey)) return false;
  const int mode =
      (result.repeatMode >= 1 && result.repeatMode <= kRepeatModes) ? result.repeatMode : 1;
  ButtonTable& t = Edited(target);
  t.macroIndex[slot] = static_cast<std::uint8_t>(result.macroIndex);
  t.macroRepeatMode[slot] = static_cast<std::uint8_t>(mode - 1);
  Commit(target, slot, FunctionCategory::MacroKey,
         Prefixed(FunctionCategory::MacroKey, target.language, result.macroName));
  return true;
}

void RestoreDefaultFunctions(SettingsBlock& block, ButtonCaptions& captions, UiLanguage lang) {
  using C = FunctionCategory;
  constexpr std::array<C, kButtonSlots> kDefaults = {
      C::LeftClick, C::RightClick, C::MidClick,  C::Forward,  C::Backward, C::DpiSwitch,
      C::TripleClick, C::DpiSwitch, C::ComboKey, C::RgbOnOff, C::KeyOff,   C::KeyOff};
  constexpr std::uint8_t kLeftWindowsBit = 0x08;
  constexpr std::uint8_t kUsageD = 0x07;
  for (int g = 0; g < 2; ++g) {
    ButtonTable& t = block.buttons[g];
    for (int s = 0; s < kButtonSlots; ++s) t.category[s] = static_cast<std::uint8_t>(kDefaults[s]);
    block.dpiSwitchSelector[g][5] = static_cast<std::uint8_t>(DpiSwitchFunction::DpiLoop);
    block.dpiSwitchSelector[g][7] = static_cast<std::uint8_t>(DpiSwitchFunction::ShiftDpi);
    t.comboModifiers[8] = kLeftWindowsBit;
    t.comboKey1[8] = kUsageD;
    t.comboKey2[8] = 0;
  }
  captions = DefaultCaptions(lang);
}

void RestoreDefaultFunctions(SettingsBlock& block, ItemTexts& texts, UiLanguage lang) {
  RestoreDefaultFunctions(block, texts.captions, lang);
  ResetItemTexts(texts, lang);
}

}  // namespace corvaline
