// A second start of the program asks the running one to show its window.
// Where the system offers no way to ask (Linux, for now), the second start
// ends quietly as before.
#pragma once

#include <functional>
#include <memory>

namespace corvaline::platform {

// Asks the running instance of this user's session to show its window; false
// when none listens or the system has no way to ask.
bool AskRunningInstanceToShow();

// Listens for AskRunningInstanceToShow for as long as it lives. onShow runs
// on the creating thread, from its event loop.
class ShowRequests {
 public:
  virtual ~ShowRequests() = default;
};
// nullptr where the system offers no way to ask, or the listener cannot be
// set up (a second start then ends quietly).
std::unique_ptr<ShowRequests> ListenForShowRequests(std::function<void()> onShow);

}  // namespace corvaline::platform
