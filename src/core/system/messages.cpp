#include "core/system/messages.h"

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

}  // namespace corvaline
