#include "gui/skin/message_sink.h"

#include <atomic>

namespace corvaline {
namespace {
std::atomic<MessageSink*> g_sink{nullptr};
}

void SetMessageSink(MessageSink* sink) { g_sink.store(sink); }
MessageSink* GetMessageSink() { return g_sink.load(); }

void ShowMessage(std::string_view text, std::string_view caption) {
  if (MessageSink* sink = g_sink.load()) sink->ShowMessage(text, caption);
}

bool ShowIfFailed(const Outcome& outcome) {
  if (outcome.Ok()) return true;
  ShowMessage(outcome.Reason(), outcome.Caption().empty() ? kAppTitle : std::string_view(outcome.Caption()));
  return false;
}

}  // namespace corvaline
