// What to check when no mouse is found, in the words of the system the
// program runs on: where the system shows the mouse, who may open it, and
// how to try the programs without one.
#pragma once

#include <string>

namespace corvaline {

enum class PlatformKind { Linux, Windows };

// Indented lines, each ending in a newline, to print under "no CORVALINE
// mouse found".
std::string NoMouseHelp(PlatformKind platform);

}  // namespace corvaline
