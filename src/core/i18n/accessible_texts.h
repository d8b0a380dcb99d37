// Names for assistive technology of the controls that carry no drawn text
// (page tabs, minimise, close, Skins, the dialogs' lists) and of those whose
// drawn text alone does not say what they are (DPI stages, swatches).
#pragma once

#include <string>
#include <string_view>

#include "core/i18n/ui_language.h"

namespace corvaline {

enum class AccessibleText {
  BasicTab,        // "Basic Settings page"
  AdvancedTab,     // "Advanced Settings page"
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
  Count
};

std::string_view UiText(AccessibleText id, UiLanguage lang);

// The text with its "%1" replaced by `number` ("DPI stage 2").
std::string NumberedText(AccessibleText id, int number, UiLanguage lang);

}  // namespace corvaline
