// A second start's request reaching the running instance over its socket.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/show_request.h"

namespace corvaline::platform {
namespace {

class ShowRequestTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char folder[] = "/tmp/corvaline-show-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    folder_ = folder;
    setenv("XDG_RUNTIME_DIR", folder, 1);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::unique_ptr<ShowRequests> Listen() {
    return ListenForShowRequests([this](const std::string& token) { tokens_.push_back(token); });
  }

  std::filesystem::path folder_;
  std::vector<std::string> tokens_;
};

TEST_F(ShowRequestTest, TokensArriveAndWhatIsNoTokenArrivesEmpty) {
  // A crashed run's socket file is in the way of nothing.
  std::filesystem::path leftover = folder_ / "corvaline-show.sock";
  const int stale = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", leftover.c_str());
  ASSERT_EQ(bind(stale, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  close(stale);

  auto requests = Listen();
  ASSERT_NE(requests, nullptr);
  ASSERT_GE(requests->Descriptor(), 0);
  EXPECT_TRUE(AskRunningInstanceToShow("sway/1234_abc"));
  EXPECT_TRUE(AskRunningInstanceToShow(""));
  EXPECT_TRUE(AskRunningInstanceToShow("two words"));
  EXPECT_TRUE(AskRunningInstanceToShow(std::string(300, 'x')));
  requests->Serve();
  // What is not a token arrives empty: the window still shows.
  EXPECT_EQ(tokens_, (std::vector<std::string>{"sway/1234_abc", "", "", ""}));
}

TEST_F(ShowRequestTest, SilentPeerIsDroppedAndNoListenerMeansNoRequest) {
  EXPECT_FALSE(AskRunningInstanceToShow("t"));
  {
    auto requests = Listen();
    ASSERT_NE(requests, nullptr);
    // Connects and says nothing: given up after a moment, nothing shown.
    const int silent = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s",
                  (folder_ / "corvaline-show.sock").c_str());
    ASSERT_EQ(connect(silent, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    requests->Serve();
    close(silent);
    EXPECT_TRUE(tokens_.empty());
  }
  // The listener takes its socket with it.
  EXPECT_FALSE(std::filesystem::exists(folder_ / "corvaline-show.sock"));
  EXPECT_FALSE(AskRunningInstanceToShow("t"));
}

}  // namespace
}  // namespace corvaline::platform
