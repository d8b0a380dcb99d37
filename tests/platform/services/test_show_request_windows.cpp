// A second start's request for the window reaches the running program's
// listener through its message loop. (On a machine where the program runs,
// the request may go to it instead: run this where it does not.)
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/show_request.h"

namespace corvaline::platform {
namespace {

TEST(ShowRequests, ASecondStartsRequestReachesTheListener) {
  int shown = 0;
  auto listener = ListenForShowRequests([&shown](const std::string&) { ++shown; });
  ASSERT_NE(listener, nullptr);
  ASSERT_TRUE(AskRunningInstanceToShow(""));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  MSG message;
  while (shown == 0 && std::chrono::steady_clock::now() < deadline) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    if (shown == 0) MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
  EXPECT_EQ(shown, 1) << "waited 10 s for the request to reach the listener";
}

}  // namespace
}  // namespace corvaline::platform
