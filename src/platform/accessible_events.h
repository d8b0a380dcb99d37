// What a screen reader is told beyond what Qt's accessibility bridge sends
// by itself. Qt 6.4's AT-SPI bridge sends a changed name or description with
// the object where the new text belongs (a screen reader has nothing to
// speak), drops "expanded" and "collapsed", and has no way to speak a
// result that is no control's state. Each function sends its event where
// this system needs the help and returns true; it returns false where the
// caller's own Qt event reaches screen readers as it is (then the caller
// sends that).
//
// `object` is the accessible object's QAccessible::Id (QAccessible::uniqueId),
// the number the bridge names the object by.
#pragma once

#include <string_view>

namespace corvaline::platform {

// The object's name or description is now `text`.
bool TellNameText(unsigned object, std::string_view text);
bool TellDescriptionText(unsigned object, std::string_view text);
// The object (a box with a list) opened or closed its list.
bool TellExpanded(unsigned object, bool expanded);
// A short result to be spoken at once, about the focused `object` (the
// Apply button and what Apply did).
bool Announce(unsigned object, std::string_view text);

}  // namespace corvaline::platform
