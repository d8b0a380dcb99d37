#include <gtest/gtest.h>

#include <string>

#include "core/device/commands.h"
#include "core/device/transfer.h"
#include "device_test_support.h"
#include "fake_hid.h"

namespace corvaline {
namespace {

using testing::SimLink;

int CountTag(const std::vector<std::string>& trace, const std::string& tag) {
  int n = 0;
  for (const auto& line : trace) n += line.rfind(tag + " ", 0) == 0;
  return n;
}

TEST(Handshake, OnlyAScrambledAnswerIsAccepted) {
  SimLink s;
  ASSERT_TRUE(DeviceDiscovery(s.link));
  EXPECT_TRUE(Handshake(s.link));
  EXPECT_TRUE(s.link.scramblingOn);
  EXPECT_TRUE(s.link.deviceReady);
  EXPECT_EQ(s.notes, (std::vector<std::pair<int, int>>{{14, 0}}));
  EXPECT_EQ(s.mouse->State().handshakesAccepted, 1);
  // Plain attempt first, then the scrambled one, each with its 5 ms wait.
  ASSERT_EQ(s.trace.size(), 6u);
  EXPECT_EQ(s.trace[0], "FO 00aadd3b620000db 0000aadd3b620000db");
  EXPECT_EQ(s.trace[1], "SLEEP 5");
  EXPECT_EQ(s.trace[3].substr(0, 20), "FO 00aadd3b620000db ");
  EXPECT_NE(s.trace[3], s.trace[0]);
  EXPECT_EQ(s.trace[5].substr(0, 13), "FI 00aadd3b62");

  // Each new handshake starts in plain again.
  s.trace.clear();
  EXPECT_TRUE(Handshake(s.link));
  EXPECT_EQ(s.trace.at(0), "FO 00aadd3b620000db 0000aadd3b620000db");
}

TEST(Handshake, EchoingSilentOrForeignMiceAreRefused) {
  struct Case {
    sim::Misbehaviour misbehaviour;
    int attempts;
  };
  for (const Case c : {Case{sim::Misbehaviour::PlainEcho, 1}, Case{sim::Misbehaviour::NoAnswer, 2},
                       Case{sim::Misbehaviour::WrongKey, 2}}) {
    SimLink s;
    ASSERT_TRUE(DeviceDiscovery(s.link));
    s.mouse->SetMisbehaviour(c.misbehaviour);
    EXPECT_FALSE(Handshake(s.link));
    EXPECT_FALSE(s.link.deviceReady);
    EXPECT_FALSE(s.link.scramblingOn);
    EXPECT_EQ(s.notes, (std::vector<std::pair<int, int>>{{15, 0}}));
    EXPECT_EQ(CountTag(s.trace, "FO"), c.attempts) << static_cast<int>(c.misbehaviour);
  }
}

HidCollectionInfo Collection(std::string path, std::uint16_t page, std::uint16_t in,
                             std::uint16_t out, std::uint16_t feature) {
  HidCollectionInfo c;
  c.path = std::move(path);
  c.vendorId = kMouseVendorId;
  c.productId = kMouseProductId;
  c.usagePage = c.usage = page;
  c.inputReportLength = in;
  c.outputReportLength = out;
  c.featureReportLength = feature;
  return c;
}

TEST(Discovery, CollectionsTheProgramCannotHandleAreNotUsed) {
  testing::ScriptedBackend backend;
  DeviceLink link;
  link.backend = &backend;

  HidCollectionInfo locked = Collection("other", 0xFF00, 33, 33, 9);
  locked.vendorId = 0x1234;
  locked.problem = "no permission";
  backend.collections = {locked,
                         Collection("events-long", 0xFF01, 41, 0, 0),
                         Collection("feature-long", 0xFF00, 33, 33, 17),
                         Collection("feature-data-long", 0xFF00, 33, 41, 9),
                         Collection("feature-short", 0xFF00, 33, 33, 8)};
  const LinkOutcome refused = DeviceDiscovery(link);
  EXPECT_FALSE(refused);
  EXPECT_TRUE(backend.opened.empty());
  EXPECT_EQ(refused.problems.size(), 4u);
  EXPECT_FALSE(link.commandHandle);

  // Sound collections after them are used; an earlier run's handles are
  // closed before the new ones open.
  backend.collections.push_back(Collection("events", 0xFF01, 8, 0, 0));
  backend.collections.push_back(Collection("feature", 0xFF00, 33, 33, 9));
  backend.collections.push_back(Collection("events-after", 0xFF01, 8, 0, 0));
  EXPECT_TRUE(DeviceDiscovery(link));
  EXPECT_TRUE(DeviceDiscovery(link));
  EXPECT_EQ(backend.opened, (std::vector<std::string>{"events", "feature", "events", "feature"}));
  EXPECT_EQ(backend.script->open, 2);
  EXPECT_TRUE(link.deviceReady);
  EXPECT_EQ(link.featureReportLength, 9);
  EXPECT_EQ(link.events.reportLength, 8);

  // A collection of the mouse that cannot be examined stops the walk and
  // the user is told why.
  HidCollectionInfo unreadable = Collection("mouse-locked", 0, 0, 0, 0);
  unreadable.problem = "Cannot open /dev/hidraw3: permission denied; install the udev rule.";
  backend.collections.insert(backend.collections.begin(), unreadable);
  const LinkOutcome stopped = DeviceDiscovery(link);
  EXPECT_FALSE(stopped);
  EXPECT_EQ(stopped.problems, std::vector<std::string>{unreadable.problem});
  EXPECT_EQ(backend.script->open, 0);
}

TEST(DeviceChange, OnlyTheMouseSpellingsAreFollowed) {
  SimLink s;
  int hidden = 0, arrived = 0;
  DeviceChangeHooks hooks{[&] { ++hidden; }, [&] { ++arrived; }};
  using Kind = HidDeviceChange::Kind;
  (void)HandleDeviceChange(s.link, {Kind::Arrival, "\\\\?\\hid#vid_04d9&pid_a09f#x"}, hooks);
  (void)HandleDeviceChange(s.link, {Kind::Arrival, "\\\\?\\HID#VID_046D&PID_C077#x"}, hooks);
  EXPECT_TRUE(s.notes.empty());
  EXPECT_FALSE(s.link.commandHandle);

  (void)HandleDeviceChange(s.link, {Kind::Arrival, "\\\\?\\HID#Vid_04d9&Pid_a09f&Col02#x"}, hooks);
  EXPECT_EQ(s.notes, (std::vector<std::pair<int, int>>{{14, 0}}));
  EXPECT_EQ(arrived, 1);
}

TEST(DeviceChange, PlugInUnplugAndPartialRemoval) {
  SimLink s;
  sim::MouseState state = s.mouse->State();
  state.sensorInfo = {1, 9, 8, 0x02};
  s.mouse->SetState(state);
  ASSERT_TRUE(s.backend->StartDeviceMonitor());
  int hidden = 0, arrived = 0;
  DeviceChangeHooks hooks{[&] { ++hidden; }, [&] { ++arrived; }};

  s.mouse->Unplug();
  auto changes = s.backend->TakeDeviceChanges();
  ASSERT_EQ(changes.size(), 2u);  // one notification per interface
  for (const auto& change : changes) (void)HandleDeviceChange(s.link, change, hooks);
  s.mouse->Plug();
  changes = s.backend->TakeDeviceChanges();
  ASSERT_EQ(changes.size(), 2u);
  for (const auto& change : changes) (void)HandleDeviceChange(s.link, change, hooks);
  // The removals find no mouse; every arrival raises its own balloon and
  // rewrites the sensor information.
  EXPECT_EQ(s.notes, (std::vector<std::pair<int, int>>{{15, 0}, {15, 0}, {14, 0}, {14, 0}}));
  EXPECT_EQ(hidden, 2);
  EXPECT_EQ(arrived, 2);
  EXPECT_TRUE(s.link.deviceReady);
  EXPECT_EQ(s.link.sensorType, 1);
  EXPECT_EQ(s.mouse->State().sensorInfo.option2, 0x42);

  // A removal that still finds the mouse only repeats the handshake.
  state = s.mouse->State();
  state.sensorInfo.option2 = 0;
  s.mouse->SetState(state);
  s.notes.clear();
  (void)HandleDeviceChange(s.link, {HidDeviceChange::Kind::Removal, changes[0].interfaceName}, hooks);
  EXPECT_EQ(s.notes, (std::vector<std::pair<int, int>>{{14, 0}}));
  EXPECT_EQ(s.mouse->State().sensorInfo.option2, 0);
  EXPECT_EQ(arrived, 2);

  // Unplugged for good.
  s.mouse->Unplug();
  s.notes.clear();
  for (const auto& change : s.backend->TakeDeviceChanges()) (void)HandleDeviceChange(s.link, change, hooks);
  EXPECT_FALSE(s.link.deviceReady);
  EXPECT_EQ(s.notes.back(), (std::pair<int, int>{15, 0}));
  EXPECT_EQ(hidden, 4);
}

}  // namespace
}  // namespace corvaline

namespace corvaline {
namespace {

TEST(Discovery, EachProblemIsToldOncePerPlugIn) {
  testing::ScriptedBackend backend;
  DeviceLink link;
  link.backend = &backend;
  HidCollectionInfo locked;
  locked.path = "/dev/hidraw3#0";
  locked.vendorId = kMouseVendorId;
  locked.productId = kMouseProductId;
  locked.problem = "Cannot open /dev/hidraw3: permission denied; install the udev rule.";
  backend.collections = {locked, locked};
  const HidDeviceChange arrival{HidDeviceChange::Kind::Arrival, "\\\\?\\HID#VID_04D9&PID_A09F#0"};
  // One plug-in, one notification per collection: one message.
  EXPECT_EQ(HandleDeviceChange(link, arrival, {}).problems.size(), 1u);
  EXPECT_TRUE(HandleDeviceChange(link, arrival, {}).problems.empty());
  // Unplugged, then plugged in again: the user is told again.
  backend.collections.clear();
  EXPECT_TRUE(HandleDeviceChange(link, {HidDeviceChange::Kind::Removal, arrival.interfaceName}, {}).problems.empty());
  backend.collections = {locked};
  EXPECT_EQ(HandleDeviceChange(link, arrival, {}).problems.size(), 1u);
}

}  // namespace
}  // namespace corvaline
