#include "platform/show_request.h"

namespace corvaline::platform {

bool AskRunningInstanceToShow(std::string_view) { return false; }

std::unique_ptr<ShowRequests> ListenForShowRequests(OnShowRequest) { return nullptr; }

}  // namespace corvaline::platform
