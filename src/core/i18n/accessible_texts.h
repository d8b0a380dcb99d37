// Names for assistive technology of the controls that carry no drawn text
// (minimise, close, Skins, the dialogs' lists), of those whose drawn text
// alone does not say what they are (DPI stages, swatches), and the ways a
// name carries its control's value.
#pragma once

#include <string>
#include <string_view>

#include "core/i18n/ui_language.h"

namespace corvaline {

enum class AccessibleText {
  ProgramName,     // the main window's name: "CORVALINE Control"
  Minimise,        // "Minimise"
  Close,           // "Close"
  Skins,           // "Skins"
  StageSwitch,     // "DPI stage %1"
  StageLevel,      // "DPI stage %1 level"
  StageColour,     // "DPI stage %1 colour"
  ReportRate,      // "Report rate"
  KeyGroup,        // "Key group"
  DialogClose,     // close box of a sub-dialog
  FireKey,         // the Fire Key dialog's key list ("Key")
  Modifier,        // the Combo Key dialog's modifier list
  ComboKey,        // its key fields: "Key %1"
  Skin,            // the Skins dialog's list of skins
  TextColour,      // the Skins dialog's colour swatch
  DelayTime,       // the Delay Time dialog, named as its picture's title
  NameValue,       // a drop-down's name with its choice: "%1, %2"
  DpiLevel,        // a DPI level slider's value: "level %1, %2 DPI"
  EditsPending,    // Apply's description while edits are unapplied
  EditsApplied,    // and once none are
  Count
};

std::string_view UiText(AccessibleText id, UiLanguage lang);

// The text with its "%1" replaced by `number` ("DPI stage 2").
std::string NumberedText(AccessibleText id, int number, UiLanguage lang);

// The text with "%1" and "%2" replaced ("level 4, 1000 DPI").
std::string FilledText(AccessibleText id, std::string_view first, std::string_view second, UiLanguage lang);

}  // namespace corvaline
