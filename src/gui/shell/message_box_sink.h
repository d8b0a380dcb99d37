// The core's messages as message boxes with a single OK button.
#pragma once

#include "gui/skin/message_sink.h"

namespace corvaline::gui {

class MessageBoxSink : public MessageSink {
 public:
  void ShowMessage(std::string_view text, std::string_view caption) override;
};

}  // namespace corvaline::gui
