// Messages of the macro editor and the recorder that the main text table does
// not hold: the fixed English ones, and those for the checks this program adds
// (over-long or unstorable names, macros the mouse cannot hold whole, a
// record.ini that cannot be written), in the three UI languages.
#pragma once

#include <string>
#include <string_view>

#include "core/i18n/ui_language.h"
#include "core/system/captions.h"

namespace corvaline {

// Fixed English in every language.
inline constexpr std::string_view kMsgMacroLimit = "Macro numbers up to 12.";

enum class MacroMessage {
  NameTooLong,     // more than 31 characters
  NameUnstorable,  // holds a bracket or a control character
  MacroTruncated,  // %s name, %d events stored
  RecordNotSaved,  // record.ini could not be written
  Count
};

std::string_view MacroMessageText(MacroMessage id, UiLanguage lang);

// The text of MacroTruncated with the macro's name and the events kept.
std::string TruncatedMacroText(std::string_view name, int eventsKept, UiLanguage lang);

}  // namespace corvaline
