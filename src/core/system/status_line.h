// The short status in the bottom bar of the main window: whether the mouse
// is there, the DPI stage its own button last chose, the named profile it
// holds, and for a moment after OK or Apply what that did. The window only
// draws the line; what goes into it, in which order and how it is shortened
// is decided here.
#pragma once

#include <string>

#include "core/device/apply.h"
#include "core/i18n/ui_language.h"

namespace corvaline {

// How long the result of OK or Apply stays in the line.
inline constexpr int kApplyNoteMs = 3000;

// A profile name longer than this (in characters) is cut and ends in "…",
// so that connection and DPI stay readable beside it.
inline constexpr std::size_t kStatusProfileChars = 16;

struct StatusFacts {
  bool connected = false;
  int dpiStage = 0;       // 1..4 as the mouse last reported it; 0: not reported yet
  std::string stageDpi;   // that stage's DPI text ("1600"); empty: unknown
  std::string profile;    // the named profile the mouse holds; empty: none
  std::string applyNote;  // the result of the last OK/Apply while it is shown
};

// The line: the Apply note alone while there is one; otherwise the
// connection, then (with a mouse) the stage and the profile, joined by " · ".
std::string StatusLineText(const StatusFacts& facts, UiLanguage lang);

// What an Apply that ran did: "Applied", or the reason nothing (or not all)
// went out, or that it went out but was not saved.
std::string ApplyNoteText(const ApplyReport& report, UiLanguage lang);

// Why OK/Apply sent nothing before it started.
enum class NotSentReason { NoMouse, NothingLoaded };
std::string NotSentNoteText(NotSentReason reason, UiLanguage lang);

}  // namespace corvaline
