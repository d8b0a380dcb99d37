#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "core/device/report_reader.h"
#include "device_test_support.h"

namespace corvaline {
namespace {

using testing::SimLink;
using Events = std::vector<std::pair<int, int>>;

// Collects what the reader hands over; waits (generously) for a count.
struct Receiver {
  EventReceiver Callback() {
    return [this](int code, int value) {
      std::lock_guard<std::mutex> lock(mutex);
      events.emplace_back(code, value);
      arrived.notify_all();
    };
  }
  Events WaitFor(std::size_t count) {
    std::unique_lock<std::mutex> lock(mutex);
    arrived.wait_for(lock, std::chrono::seconds(10), [&] { return events.size() >= count; });
    return events;
  }
  std::mutex mutex;
  std::condition_variable arrived;
  Events events;
};

TEST(ReportReader, ForwardsEventReportsAndDropsTheRest) {
  SimLink s;
  ASSERT_TRUE(s.Connect());
  Receiver receiver;
  ReportReader reader(s.link, receiver.Callback());
  reader.Start();

  const std::uint8_t unknownCode[8] = {6, 6, 0, 1, 0, 0, 0, 0};
  const std::uint8_t otherId[8] = {5, 5, 0, 1, 0, 0, 0, 0};
  ASSERT_TRUE(s.mouse->SendRawEventReport(unknownCode));
  ASSERT_TRUE(s.mouse->SendRawEventReport(otherId));
  ASSERT_TRUE(s.mouse->RaiseEvent(5, 8));
  ASSERT_TRUE(s.mouse->RaiseEvent(7, 3));
  ASSERT_TRUE(s.mouse->RaiseEvent(8, 2));
  ASSERT_TRUE(s.mouse->RaiseEvent(9, 12));
  EXPECT_EQ(receiver.WaitFor(4), (Events{{5, 8}, {7, 3}, {8, 2}, {9, 12}}));

  // Unplugged and found again: the reader follows the new collection.
  s.mouse->Unplug();
  EXPECT_FALSE(ConnectAtStartup(s.link));  // what the removal notifications do
  s.mouse->Plug();
  EXPECT_TRUE(ConnectAtStartup(s.link));
  ASSERT_TRUE(s.mouse->RaiseEvent(7, 4));
  EXPECT_EQ(receiver.WaitFor(5).back(), (std::pair<int, int>{7, 4}));
  reader.Stop();
  EXPECT_FALSE(reader.Started());
}

TEST(ReportReader, IdlesWithoutEventCollectionAndStopsInOrder) {
  // The event collection is listed after the feature collection and so never
  // opened: the reader waits without reading and still ends on request.
  SimLink s(sim::InProcessOptions{.featureFirst = true});
  ASSERT_TRUE(s.Connect());
  EXPECT_FALSE(s.link.events.device);
  Receiver receiver;
  {
    ReportReader reader(s.link, receiver.Callback());
    reader.Start();
    s.mouse->RaiseEvent(7, 2);
  }  // destroyed: stopped and joined
  EXPECT_TRUE(receiver.events.empty());

  // Stopping while a read is pending on an open collection.
  SimLink open;
  ASSERT_TRUE(open.Connect());
  ReportReader reader(open.link, receiver.Callback());
  reader.Start();
  reader.Stop();
  reader.Start();  // and it can run again
  open.mouse->RaiseEvent(8, 1);
  EXPECT_EQ(receiver.WaitFor(1), (Events{{8, 1}}));
  // Asked to end without waiting, the way a front end that must keep serving
  // the receiver does it.
  while (!reader.Finished()) {
    reader.RequestStop();
    std::this_thread::yield();
  }
  reader.Stop();
  EXPECT_FALSE(reader.Started());
}

}  // namespace
}  // namespace corvaline
