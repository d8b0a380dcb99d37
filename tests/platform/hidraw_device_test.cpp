// The hidraw device over a packet socket pair: like a hidraw node, each read
// returns exactly one report, so the filtering and cancelling logic can be
// exercised without a kernel device.
#include "platform/linux/hidraw_device.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#include <vector>

namespace corvaline::platform {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct FakeNode {
  int deviceSide = -1;
  int testSide = -1;
  FakeNode() {
    int fds[2];
    if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, fds) == 0) {
      deviceSide = fds[0];
      testSide = fds[1];
    }
  }
  ~FakeNode() {
    if (testSide >= 0) ::close(testSide);
  }
  void Send(const Bytes& report) const {
    ASSERT_EQ(::write(testSide, report.data(), report.size()),
              static_cast<ssize_t>(report.size()));
  }
};

HidTopCollection InputCollection(std::vector<std::uint8_t> ids) {
  HidTopCollection c;
  c.inputReportLength = 8;
  c.inputReportIds = std::move(ids);
  return c;
}

TEST(HidrawDevice, ReadsOnlyTheReportsOfItsOwnCollection) {
  FakeNode node;
  ASSERT_GE(node.deviceSide, 0);
  HidOpenResult opened = MakeHidrawDevice(node.deviceSide, InputCollection({6}), true);
  ASSERT_TRUE(opened.Ok());
  std::unique_ptr<HidDevice> device = std::move(*opened);
  node.Send({1, 0x01, 0x10, 0x00});           // the pointer collection's report
  node.Send({6, 7, 0, 3, 0, 0, 0, 0});        // ours
  std::uint8_t buffer[40] = {};
  std::size_t got = 0;
  ASSERT_EQ(device->ReadInput(buffer, got), HidReadResult::Ok);
  EXPECT_EQ(Bytes(buffer, buffer + got), (Bytes{6, 7, 0, 3, 0, 0, 0, 0}));

  // A buffer shorter than the report gets its first bytes, never more.
  node.Send({6, 9, 0, 2, 0, 0, 0, 0});
  std::uint8_t small[4] = {};
  ASSERT_EQ(device->ReadInput(small, got), HidReadResult::Ok);
  EXPECT_EQ(Bytes(small, small + got), (Bytes{6, 9, 0, 2}));
}

TEST(HidrawDevice, UnnumberedReportsGainTheZeroIdByte) {
  FakeNode node;
  HidOpenResult opened = MakeHidrawDevice(node.deviceSide, InputCollection({0}), false);
  ASSERT_TRUE(opened.Ok());
  std::unique_ptr<HidDevice> device = std::move(*opened);
  node.Send({0x01, 0xFE, 0x02, 0x00});
  std::uint8_t buffer[8] = {};
  std::size_t got = 0;
  ASSERT_EQ(device->ReadInput(buffer, got), HidReadResult::Ok);
  EXPECT_EQ(Bytes(buffer, buffer + got), (Bytes{0x00, 0x01, 0xFE, 0x02, 0x00}));
}

// A bulk read whose data reports never come (an answer announcing more than
// the mouse sends) must not hang the program: the command collection's reads
// give up after a while.
TEST(HidrawDevice, ACommandReadThatGetsNothingGivesUpInsteadOfHanging) {
  FakeNode node;
  HidOpenResult opened = MakeHidrawDevice(node.deviceSide, InputCollection({0}), false, 50);
  ASSERT_TRUE(opened.Ok());
  std::unique_ptr<HidDevice> device = std::move(*opened);
  std::uint8_t buffer[40] = {};
  std::size_t got = 0;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(device->ReadInput(buffer, got), HidReadResult::Error);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  node.Send({0x01, 0x02});
  EXPECT_EQ(device->ReadInput(buffer, got), HidReadResult::Ok);  // and reads on afterwards
}

TEST(HidrawDevice, CancelEndsABlockedReadAndIsNotLost) {
  FakeNode node;
  HidOpenResult opened = MakeHidrawDevice(node.deviceSide, InputCollection({6}), true);
  ASSERT_TRUE(opened.Ok());
  std::unique_ptr<HidDevice> device = std::move(*opened);
  std::uint8_t buffer[40];
  std::size_t got = 99;

  std::thread canceller([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    device->CancelRead();
  });
  EXPECT_EQ(device->ReadInput(buffer, got), HidReadResult::Cancelled);
  canceller.join();
  EXPECT_EQ(got, 0u);

  // A cancel that comes before the read still ends it, and only that one.
  device->CancelRead();
  EXPECT_EQ(device->ReadInput(buffer, got), HidReadResult::Cancelled);
  node.Send({6, 5, 0, 1});
  EXPECT_EQ(device->ReadInput(buffer, got), HidReadResult::Ok);
}

TEST(HidrawDevice, UnpluggedNodeEndsTheReadAsGone) {
  FakeNode node;
  HidOpenResult opened = MakeHidrawDevice(node.deviceSide, InputCollection({6}), true);
  ASSERT_TRUE(opened.Ok());
  std::unique_ptr<HidDevice> device = std::move(*opened);
  ::close(node.testSide);
  node.testSide = -1;
  std::uint8_t buffer[40];
  std::size_t got = 0;
  EXPECT_EQ(device->ReadInput(buffer, got), HidReadResult::Gone);
}

}  // namespace
}  // namespace corvaline::platform
