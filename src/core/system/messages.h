// The core never shows a window: every message the user must see (a text and
// a caption, as a message box on Windows would carry them) goes to the sink the
// front end installs. The GUI turns it into a message box, the command-line
// tool into a line on stderr.
#pragma once

#include <string>
#include <string_view>

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

// Caption of start-up and file messages.
inline constexpr std::string_view kAppTitle = "CORVALINEX01";

}  // namespace corvaline
