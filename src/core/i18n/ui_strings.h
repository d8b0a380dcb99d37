// The built-in text tables: every text the program shows, in Simplified
// Chinese, Traditional Chinese and English. One enum per window; each id names
// one text member. Texts are UTF-8 and returned as views of static storage.
#pragma once

#include <string>
#include <string_view>

#include "core/i18n/ui_language.h"

namespace corvaline {

// Texts of the main window, its pages, messages, balloons and tray menu.
enum class MainText {
  BasicTitle,             // "Basic Settings"
  AdvancedTitle,          // "Advanced Settings"
  Ok,                     // main window OK button
  Apply,
  Cancel,
  KeySettingHeading,      // "Key Setting"
  ReportRateHeading,      // "Report Rate Setting"
  DpiHeading,             // "DPI Setting"
  KeyDefault,             // key restore button of the Basic page ("Default")
  KeyConfig1,             // "Key Configuration 1"
  KeyConfig2,
  KeyConfig3,
  KeyConfig4,
  AuxLedHeading,          // "Auxiliary LED Setting"
  AuxLedRespiration,      // "As Respiration LED"
  AuxLedHeartBeat,        // "As Heart Beat LED"
  AuxLedKeyGroupSwitch,   // "As Key Group Switch LED"
  DpiEffectHeading,       // "DPI Effect"
  LedModeLabel,           // "Mode"
  LedParameterLabel,      // "Parameter"
  LedSpeedLabel,          // "Speed"
  LedBrightnessLabel,     // "Brightness"
  LedEffectLabel,         // "Effect"
  LedEffectOff,           // lighting effect names, positions 0..3
  LedEffectStandard,
  LedEffectRespiration,
  LedEffectNeon,
  LedOptionNonDisplay,    // lighting option names, positions 0..3 ("Non-Disolay")
  LedOptionRgbEffect,     // "RGB Effect"
  LedOptionRgbFlash,      // "RGB Flash"
  LedOptionRgbFixedOn,    // "RGB Fixed On"
  FnLeftClick,            // button function names, in menu order
  FnRightClick,
  FnMidClick,
  FnForward,
  FnBackward,
  FnTripleClick,
  FnDpiSwitch,
  FnReportRateSwitch,
  FnShift,
  FnRgbOnOff,
  FnWindows,
  FnMultimedia,
  FnFireKey,
  FnSingleKey,
  FnComboKey,
  FnMacroKey,
  FnKeyOff,
  MsgLeftKeyRequired,     // "Left key must be selected!"
  WebAddress,             // the maker's web site, the same in every language
  NoteRate1000,           // "Switch report rate into 1000HZ"
  NoteRate500,
  NoteRate250,
  NoteRate125,
  NoteDpiStage1,          // "Switch DPI into the first stage " (English ends in a blank)
  NoteDpiStage2,
  NoteDpiStage3,
  NoteDpiStage4,
  NoteKeyMatrix1,         // "Switch to key matrix 1"
  NoteKeyMatrix2,
  NoteKeyMatrix3,
  NoteKeyMatrix4,
  NoteMacroKey,           // "Switch to macro key"
  TrayExit,               // tray menu "Exit"
  NoteMouseMissing,       // "The system did not detect the gaming mouse!"
  NoteMouseFound,         // "The system detect the gaming mouse."
  MouseSpeedHeading,      // Advanced page
  ScrollSpeedHeading,
  DoubleClickHeading,
  MacroSettingHeading,
  SelectMacroHeading,     // macro editor
  KeySequenceHeading,
  RecordOptionHeading,
  PointerPrecisionLabel,  // "Enhance Pointer Precision"
  ScrollOneScreenLabel,   // "Scroll One Screen"
  SystemDefault,          // restore button of the pointer settings ("Default")
  MacroNameLabel,         // "Macro Name"
  StartRecording,         // button and message
  StopRecording,          // button and message
  LoopTimesLabel,         // "Loop Times"
  InsertMouseEvent,       // "Insert A Mouse Event"
  MacroNew,               // "New"
  MacroDelete,            // "Delete" (button and context menu)
  MacroConfirm,           // "Confirm" (save button)
  MsgMacroNameBlank,      // "Macro name is blank"
  MsgMacroNameExists,     // "Macro name already exists"
  RecordingTitle,         // "Press Ctrl+Break key to stop recording"
  MsgNotRecording,        // "It doesn’t start recording, unnecessary to press Stop key!"
  ItemSection,            // str.ini caption section: "Setting-EN" / "-CHS" / "-CHT"
  KeyGroupA,              // the Basic page's key group buttons ("Mode A", "Mode B")
  KeyGroupB,
  DpiColourLabel,         // the DPI stages' row labels ("Color", "Select")
  DpiSelectLabel,
  Count
};
inline constexpr int kMainTextCount = static_cast<int>(MainText::Count);

// OK and Cancel of every sub-dialog.
enum class DialogText { Ok, Cancel, Count };

enum class DelayTimeText { Prompt, RangeNote, Count };  // CDelayTimeDialog
enum class SingleKeyText { Prompt, Count };             // CSingleDialog
enum class SkinsText { ColourPrompt, Count };           // CSkinsDialog

// CFireKeyDialog.
enum class FireKeyText {
  InitialKey,    // "A": the key display before a choice
  SpeedLabel,    // "Speed"
  TimesLabel,    // "Times"
  Illustration,  // "Illustration:"
  SpeedHelp,     // "Speed (value range 5-255, ...)"
  TimesHelp,     // "Times (value range 0-255, ...)"
  Count
};

// CMediaDialog: the display's initial text, then the seven list entries.
enum class MediaText {
  Display,  // same text as Next
  Next,
  Previous,
  Stop,
  PlayPause,
  Mute,
  VolumeUp,
  VolumeDown,
  Count
};

// CWindowsDialog: the display's initial text, then the eleven list entries.
enum class WindowsText {
  Display,  // same text as MultimediaPlayer
  MultimediaPlayer,
  Mail,
  Calculator,
  MyComputer,
  BrowserSearch,
  BrowserHome,
  BrowserBack,
  BrowserForward,
  BrowserStop,
  BrowserRefresh,
  BrowserFavorites,
  Count
};

// CMacroDialog (OK and Cancel come from DialogText).
enum class MacroDialogText {
  RepeatCounted,   // repeat mode 1
  RepeatUntilKey,  // repeat mode 2
  RepeatWhileHeld, // repeat mode 3
  Prompt,          // "Please select a macro"
  Count
};

// The program's own notices about its files, skin and window: not in the
// original tables. "%1", "%2", "%3" stand for the values the caller puts in.
enum class ShellText {
  SkinReplaced,       // the chosen skin cannot be loaded: %1 skin, %2 reason, %3 the one used
  NoSkin,             // no skin at all: %1 the reasons, %2 the skins folder
  UnappliedOnClose,   // question when the window closes with unapplied edits
  Discard,            // its button that ends without applying
  OutsideChange,      // Apply after another program changed config.bin: %1 the file
  CaptionsNotSaved,   // Apply could not write the captions: %1 the file
  NothingLoaded,      // Apply with no settings ever loaded: %1 config.bin, %2 the factory file
  TransfersFailed,    // Apply's transfers the mouse did not take: %1 how many
  SavedTryAgain,      // after TransfersFailed when the settings were saved
  SettingsNotSaved,   // Apply could not write config.bin: %1 the file(s)
  Count
};

// Lookup in a given language. An id outside its table gives an empty text.
std::string_view UiText(MainText id, UiLanguage lang);
std::string_view UiText(DialogText id, UiLanguage lang);
std::string_view UiText(DelayTimeText id, UiLanguage lang);
std::string_view UiText(SingleKeyText id, UiLanguage lang);
std::string_view UiText(SkinsText id, UiLanguage lang);
std::string_view UiText(FireKeyText id, UiLanguage lang);
std::string_view UiText(MediaText id, UiLanguage lang);
std::string_view UiText(WindowsText id, UiLanguage lang);
std::string_view UiText(MacroDialogText id, UiLanguage lang);
std::string_view UiText(ShellText id, UiLanguage lang);
// A ShellText with its "%1" replaced by `value`.
std::string FilledText(ShellText id, std::string_view value, UiLanguage lang);

// The same in the process-wide language (CurrentLanguage()).
template <typename Id>
std::string_view UiText(Id id) {
  return UiText(id, CurrentLanguage());
}

// Name of function category 0..15 ("Left Click" ... "Key Off") as the
// button menus and default captions show it; empty for any other code.
std::string_view CategoryName(int category, UiLanguage lang);

// Caption of entry 0..6 of the multimedia list and 0..10 of the Windows-key
// list; empty outside the list.
std::string_view MediaEntryText(int position, UiLanguage lang);
std::string_view WindowsEntryText(int position, UiLanguage lang);

}  // namespace corvaline
