// Systems whose Qt bridge carries every change itself (UI Automation on
// Windows): the caller's Qt events are all there is.
#include "platform/accessible_events.h"

namespace corvaline::platform {

bool TellNameText(unsigned, std::string_view) { return false; }
bool TellDescriptionText(unsigned, std::string_view) { return false; }
bool TellExpanded(unsigned, bool) { return false; }
bool Announce(unsigned, std::string_view) { return false; }

}  // namespace corvaline::platform
