// Where the window's messages go. The core hands back what failed and why;
// the window shows it (a text and a caption, as a message box on Windows
// would carry them) through the sink main() installs, so tests can read what
// the user would have seen.
#pragma once

#include <string>
#include <string_view>

#include "core/outcome.h"
#include "core/system/captions.h"

namespace corvaline {

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void ShowMessage(std::string_view text, std::string_view caption) = 0;
};

// Installs the sink for the whole process; nullptr drops messages.
void SetMessageSink(MessageSink* sink);
MessageSink* GetMessageSink();
// Hands one message to the installed sink, if any.
void ShowMessage(std::string_view text, std::string_view caption);

// Shows a failed step's reason under its caption (the program's title when it
// names none). Returns whether the step was done.
bool ShowIfFailed(const Outcome& outcome);

}  // namespace corvaline
