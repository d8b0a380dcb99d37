// Names for assistive technology of the controls that carry no drawn text
// (page tabs, minimise, close, Skins) and of those whose drawn text alone
// does not say what they are (DPI stages, swatches, lighting boxes).
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
  Count
};

std::string_view UiText(AccessibleText id, UiLanguage lang);

// The text with its "%1" replaced by `number` ("DPI stage 2").
std::string NumberedText(AccessibleText id, int number, UiLanguage lang);

}  // namespace corvaline
