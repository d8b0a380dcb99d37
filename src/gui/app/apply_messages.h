// The message shown when OK or Apply could not bring every setting to the
// mouse, in the three UI languages.
#pragma once

#include <string>

#include "core/i18n/ui_language.h"

namespace corvaline::gui {

std::string ApplyFailureText(int failedTransfers, UiLanguage lang);

}  // namespace corvaline::gui
