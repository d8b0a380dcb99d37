#include "platform/show_request.h"

namespace corvaline::platform {

bool AskRunningInstanceToShow() { return false; }

std::unique_ptr<ShowRequests> ListenForShowRequests(std::function<void()>) { return nullptr; }

}  // namespace corvaline::platform
