// A second start of the program asks the running one to show its window.
// Where the system offers no way to ask, the second start ends quietly.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace corvaline::platform {

// Asks the running instance of this user's session to show its window,
// handing on the activation token the second start was given by whoever
// started it (Wayland's XDG_ACTIVATION_TOKEN; empty: none). False when none
// listens or the system has no way to ask.
bool AskRunningInstanceToShow(std::string_view activationToken);

// The request as it arrives: the token, or empty when none came (or what
// came was not one).
using OnShowRequest = std::function<void(const std::string& activationToken)>;

// Listens for AskRunningInstanceToShow for as long as it lives.
class ShowRequests {
 public:
  virtual ~ShowRequests() = default;
  // Where requests arrive as readable data, the descriptor the event loop
  // watches, calling Serve when it is readable; -1 where they reach the loop
  // by themselves (a window message) and onShow runs from there.
  virtual int Descriptor() const { return -1; }
  // Runs onShow for each request waiting in the descriptor.
  virtual void Serve() {}
};
// nullptr where the system offers no way to ask, or the listener cannot be
// set up (a second start then ends quietly). onShow runs on the thread that
// runs the event loop.
std::unique_ptr<ShowRequests> ListenForShowRequests(OnShowRequest onShow);

}  // namespace corvaline::platform
