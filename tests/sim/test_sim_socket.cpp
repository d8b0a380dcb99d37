// The virtual mouse offered over its socket, as another process sees it
// through the platform layer's client.
#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <thread>

#include "eventually.h"
#include "host_link.h"
#include "platform/virtual/sim_client.h"
#include "platform/virtual/sim_wire.h"
#include "sim/sim_server.h"

namespace corvaline::sim {
namespace {

namespace fs = std::filesystem;
using platform::EnumerateSimCollections;
using platform::OpenSimCollection;
using platform::SimDeviceWatcher;
using testing::HostLink;
using namespace std::chrono_literals;

// The server's sockets as another process sees them: `count` of them.
::testing::AssertionResult SocketsSeen(std::size_t count) {
  return testing_support::Eventually(
      std::to_string(count) + " collections offered", 10s,
      [&] { return EnumerateSimCollections().size() == count; },
      [] { return std::to_string(EnumerateSimCollections().size()); });
}

std::vector<HidDeviceChange> CollectChanges(SimDeviceWatcher& watcher, std::size_t want) {
  std::vector<HidDeviceChange> all;
  // The caller checks what came; a short list says the deadline passed.
  testing_support::WaitFor("the watcher's changes", 10s, [&] {
    pollfd p{watcher.fd(), POLLIN, 0};
    ::poll(&p, 1, 10);
    auto more = watcher.TakeChanges();
    all.insert(all.end(), more.begin(), more.end());
    return all.size() >= want;
  });
  return all;
}

class SimSocketTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/cvsim-XXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    root = tmpl;
    ::setenv("XDG_RUNTIME_DIR", root.c_str(), 1);
    mouse = std::make_shared<VirtualMouse>();
  }

  void TearDown() override {
    StopServer();
    fs::remove_all(root);
  }

  void StartServer() {
    server = std::make_unique<SimServer>(mouse);
    std::string error;
    ASSERT_TRUE(server->Start(DefaultSocketPath(), &error)) << error;
    thread = std::thread([this] { server->Run(); });
  }

  void StopServer() {
    if (!server) return;
    server->RequestStop();
    thread.join();
    server.reset();
  }

  std::unique_ptr<HidDevice> Open(std::size_t index, HidOpenMode mode) {
    auto list = EnumerateSimCollections();
    if (index >= list.size()) return nullptr;
    HidOpenResult dev = OpenSimCollection(list[index], mode);
    EXPECT_TRUE(dev) << dev.Reason();
    return dev ? std::move(*dev) : nullptr;
  }

  std::string root;
  std::shared_ptr<VirtualMouse> mouse;
  std::unique_ptr<SimServer> server;
  std::thread thread;
};

TEST_F(SimSocketTest, WatcherReportsEachCollectionOnPlugAndUnplug) {
  SimDeviceWatcher watcher;
  ASSERT_TRUE(watcher.Start());
  EXPECT_TRUE(watcher.TakeChanges().empty());
  StartServer();
  auto changes = CollectChanges(watcher, 2);
  ASSERT_EQ(changes.size(), 2u);
  for (const auto& c : changes) {
    EXPECT_EQ(c.kind, HidDeviceChange::Kind::Arrival);
    EXPECT_NE(c.interfaceName.find("VID_04D9&PID_A09F"), std::string::npos) << c.interfaceName;
  }
  // The socket already answers when its arrival is seen.
  EXPECT_EQ(EnumerateSimCollections().size(), 2u);
  // A quick unplug and plug-in still shows as removal and arrival.
  mouse->Unplug();
  mouse->Plug();
  changes = CollectChanges(watcher, 4);
  ASSERT_EQ(changes.size(), 4u);
  EXPECT_EQ(changes[0].kind, HidDeviceChange::Kind::Removal);
  EXPECT_EQ(changes[3].kind, HidDeviceChange::Kind::Arrival);
  StopServer();
  changes = CollectChanges(watcher, 2);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].kind, HidDeviceChange::Kind::Removal);
  EXPECT_TRUE(EnumerateSimCollections().empty());
}

TEST_F(SimSocketTest, CommandsTravelThroughTheSocket) {
  StartServer();
  const auto list = EnumerateSimCollections();
  ASSERT_EQ(list.size(), 2u);
  EXPECT_TRUE(platform::IsSimPath(list[0].path));
  EXPECT_FALSE(platform::IsSimPath("/dev/hidraw0"));
  EXPECT_EQ(list[0].usagePage, 0xFF01);
  EXPECT_EQ(list[1].usagePage, 0xFF00);
  EXPECT_EQ(list[1].featureReportLength, 9);
  EXPECT_EQ(list[1].outputReportLength, 33);

  auto dev = Open(1, HidOpenMode::Commands);
  ASSERT_TRUE(dev);
  HostLink plain{*dev, false};
  EXPECT_FALSE(plain.Handshake());
  HostLink link{*dev};
  EXPECT_TRUE(link.Handshake());
  std::vector<std::uint8_t> macro(kMacroSize, 0x42);
  macro[127] = 0x99;
  link.Command(MakeCommand(cmd::kSetMacro, 5, kMacroSize));
  ASSERT_TRUE(link.WriteData(macro));
  auto head = link.Command(MakeCommand(cmd::kGetMacro, 5));
  ASSERT_TRUE(head);
  EXPECT_EQ((*head)[2], kMacroSize);
  EXPECT_EQ(link.ReadData(4), macro);
  std::vector<std::uint8_t> buf(kDataReportLength);
  std::size_t got = 0;
  EXPECT_EQ(dev->ReadInput(buf, got), HidReadResult::Error);

  auto query = Open(1, HidOpenMode::Query);
  EXPECT_FALSE(HostLink{*query}.Put(kHandshakeRequest));
}

TEST_F(SimSocketTest, EventsStreamUntilCancelOrUnplug) {
  StartServer();
  auto reader = Open(0, HidOpenMode::Events);
  ASSERT_TRUE(reader);
  std::vector<std::uint8_t> buf(40);
  std::size_t got = 0;
  mouse->RaiseEvent(kEventMacroKey, 7);
  ASSERT_EQ(reader->ReadInput(buf, got), HidReadResult::Ok);
  EXPECT_EQ(got, kEventReportLength);
  EXPECT_EQ(buf[0], kEventReportId);
  EXPECT_EQ(buf[1], kEventMacroKey);
  EXPECT_EQ(buf[3], 7);

  std::thread canceller([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    reader->CancelRead();
  });
  EXPECT_EQ(reader->ReadInput(buf, got), HidReadResult::Cancelled);
  canceller.join();

  auto commands = Open(1, HidOpenMode::Commands);
  mouse->Unplug();
  EXPECT_EQ(reader->ReadInput(buf, got), HidReadResult::Gone);
  EXPECT_FALSE(HostLink{*commands}.Put(kHandshakeRequest));
  EXPECT_TRUE(SocketsSeen(0));
  mouse->Plug();
  EXPECT_TRUE(SocketsSeen(2));
}

TEST_F(SimSocketTest, VanishingMouseTakesItsSocketAlong) {
  StartServer();
  auto dev = Open(1, HidOpenMode::Commands);
  HostLink link{*dev};
  mouse->VanishAfterTransfers(1);
  EXPECT_TRUE(link.Put(MakeCommand(cmd::kSetReportRate, 2)));
  EXPECT_FALSE(link.Put(MakeCommand(cmd::kSetReportRate, 4)));
  EXPECT_FALSE(link.Put(MakeCommand(cmd::kSetReportRate, 4)));
  EXPECT_EQ(mouse->State().reportRateCode, 2);
  EXPECT_TRUE(SocketsSeen(0));
}

TEST_F(SimSocketTest, SocketsNobodyAnswersAreSkippedAndCleanedUp) {
  const std::string dir = platform::SimRuntimeDir();
  ASSERT_TRUE(simwire::EnsureRuntimeDir(dir));
  const std::string stale = dir + "/mouse-999999.sock";
  sockaddr_un addr;
  ASSERT_TRUE(simwire::MakeAddress(stale, addr));
  int fd = ::socket(AF_UNIX, SOCK_SEQPACKET, 0);
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  ::close(fd);
  StartServer();
  EXPECT_EQ(EnumerateSimCollections().size(), 2u);
  HidCollectionInfo gone;
  gone.path = "sim:" + stale + "#feature";
  const HidOpenResult goneOpen = OpenSimCollection(gone, HidOpenMode::Commands);
  EXPECT_FALSE(goneOpen.Ok());
  EXPECT_FALSE(goneOpen.Reason().empty());
  RemoveStaleSockets(dir);
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(fs::exists(server->SocketPath()));
}

int RunSim(const std::string& args) {
  const int status = std::system((std::string(CORVALINE_SIM_EXE) + " " + args + " >/dev/null 2>&1").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(SimSocketTest, CommandLinePressesTheRunningMousesButtons) {
  StartServer();
  auto reader = Open(0, HidOpenMode::Events);
  ASSERT_TRUE(reader);
  EXPECT_EQ(RunSim("press dpi 2"), 0);
  EXPECT_EQ(RunSim("press rate 125"), 0);
  EXPECT_EQ(RunSim("press mode B"), 0);
  EXPECT_EQ(RunSim("press dpi 5"), 2);
  EXPECT_EQ(RunSim("press volume 1"), 2);
  EXPECT_EQ(RunSim("--help"), 0);
  std::vector<std::uint8_t> buf(kEventReportLength);
  std::size_t got = 0;
  const std::pair<int, int> expected[] = {{kEventDpiStage, 2}, {kEventReportRate, 8}, {kEventKeyGroup, 2}};
  for (auto [code, value] : expected) {
    ASSERT_EQ(reader->ReadInput(buf, got), HidReadResult::Ok);
    EXPECT_EQ(buf[1], code);
    EXPECT_EQ(buf[3], value);
  }
  StopServer();
  EXPECT_EQ(RunSim("press macro 3"), 1);  // nobody to press
}

// A mistyped value is answered with what the argument takes, in one line,
// without the whole usage.
TEST(SimCommandLineTest, AMistypedValueIsAnsweredWithTheValuesItTakes) {
  const std::pair<const char*, const char*> cases[] = {
      {"press dpi 9", "a stage 1..4, not '9'"},
      {"press macro 13", "a macro 1..12"},
      {"press rate 300", "1000, 500, 250 or 125"},
      {"press mode C", "1 or 2 (or A or B)"},
      {"press volume 1", "rate, dpi, mode or macro"},
      {"--sensor-type 256", "0..255"},
      {"--vanish-after soon", "a count 0..999999"},
      {"--misbehave late", "none, no-answer"},
      {"--socket", "needs a value"},
  };
  for (auto [args, wants] : cases) {
    const std::string command = std::string(CORVALINE_SIM_EXE) + " " + args + " 2>&1 >/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string said;
    char buf[256];
    while (std::fgets(buf, sizeof buf, pipe)) said += buf;
    const int status = ::pclose(pipe);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << args << " ended with " << status;
    EXPECT_NE(said.find(wants), std::string::npos) << args << " said: " << said;
    EXPECT_EQ(said.find("Usage"), std::string::npos) << args << " said: " << said;
  }
}

TEST_F(SimSocketTest, ProcessPlugsInOnStartAndUnplugsOnSigterm) {
  SimDeviceWatcher watcher;
  ASSERT_TRUE(watcher.Start());
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::execl(CORVALINE_SIM_EXE, CORVALINE_SIM_EXE, "--sensor-type", "3", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  auto changes = CollectChanges(watcher, 2);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].kind, HidDeviceChange::Kind::Arrival);
  auto dev = Open(1, HidOpenMode::Commands);
  ASSERT_TRUE(dev);
  auto info = HostLink{*dev}.Command(MakeCommand(cmd::kGetSensorInfo));
  ASSERT_TRUE(info);
  EXPECT_EQ((*info)[1], 3);
  ::kill(child, SIGTERM);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  changes = CollectChanges(watcher, 2);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[1].kind, HidDeviceChange::Kind::Removal);
  EXPECT_TRUE(EnumerateSimCollections().empty());
}

}  // namespace
}  // namespace corvaline::sim
