#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

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
  reader.Stop();
  EXPECT_FALSE(reader.Started());
}

TEST(ReportReader, FollowsTheMouseAcrossUnplugging) {
  SimLink s;
  ASSERT_TRUE(s.Connect());
  Receiver receiver;
  ReportReader reader(s.link, receiver.Callback());
  reader.Start();
  ASSERT_TRUE(s.mouse->RaiseEvent(7, 1));
  ASSERT_EQ(receiver.WaitFor(1).size(), 1u);

  s.mouse->Unplug();
  EXPECT_FALSE(ConnectAtStartup(s.link));  // what the removal notifications do
  s.mouse->Plug();
  EXPECT_TRUE(ConnectAtStartup(s.link));
  ASSERT_TRUE(s.mouse->RaiseEvent(7, 4));
  EXPECT_EQ(receiver.WaitFor(2), (Events{{7, 1}, {7, 4}}));
}

TEST(ReportReader, IdlesWithoutEventCollectionAndStopsInOrder) {
  // The event collection is listed after the feature collection and so never
  // opened: the reader waits without reading and still ends on request.
  SimLink s(sim::InProcessOptions{.featureFirst = true});
  ASSERT_TRUE(s.Connect());
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
}

TEST(ReportReader, WaitsUntilTheReceiverIsDone) {
  SimLink s;
  ASSERT_TRUE(s.Connect());
  std::mutex mutex;
  std::condition_variable changed;
  bool release = false;
  int inReceiver = 0, maxInReceiver = 0, delivered = 0;
  ReportReader reader(s.link, [&](int, int) {
    std::unique_lock<std::mutex> lock(mutex);
    maxInReceiver = std::max(maxInReceiver, ++inReceiver);
    changed.notify_all();
    changed.wait(lock, [&] { return release; });
    --inReceiver;
    ++delivered;
    changed.notify_all();
  });
  reader.Start();
  s.mouse->RaiseEvent(7, 1);
  s.mouse->RaiseEvent(7, 2);
  {
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [&] { return inReceiver == 1; });
    EXPECT_EQ(delivered, 0);  // the second report waits behind the first
    release = true;
    changed.notify_all();
    changed.wait_for(lock, std::chrono::seconds(10), [&] { return delivered == 2; });
  }
  EXPECT_EQ(delivered, 2);
  EXPECT_EQ(maxInReceiver, 1);
}

}  // namespace
}  // namespace corvaline
