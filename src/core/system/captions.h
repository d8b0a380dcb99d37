// Captions the program's messages carry, the same in every language. The core
// names them beside a failure's reason; the window or the command line decides
// how to show the two.
#pragma once

#include <string_view>

namespace corvaline {

// Start-up and file messages.
inline constexpr std::string_view kAppTitle = "CORVALINEX01";
// Warnings about edits and Windows settings.
inline constexpr std::string_view kWarningCaption = "Warning";
// Under kAppTitle when the choice of skin or language could not be kept.
inline constexpr std::string_view kStrIniNotWritten = "str.ini could not be written.";

}  // namespace corvaline
