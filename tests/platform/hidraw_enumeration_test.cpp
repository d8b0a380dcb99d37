// The Linux backend against a umockdev test bed: fake sysfs devices with a HID
// parent, its HID_ID and its report descriptor, and fake uevents.
#include <gtest/gtest.h>
#include <poll.h>
#include <umockdev.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "platform/linux/hidraw_backend.h"
#include "platform/linux/hidraw_nodes.h"

// umockdev's preload library comes before the sanitizer runtime in the
// library list; the sanitizer must not treat that as fatal. Read at start-up,
// before any environment setting, which still wins for the flags it names.
extern "C" const char* __asan_default_options() { return "verify_asan_link_order=0"; }

namespace corvaline::platform {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The mouse's vendor interface: events (FF01, report 6) and commands (FF00).
const Bytes kMouseVendor = {
    0x06, 0x01, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x06, 0x75, 0x08, 0x95, 0x07,
    0x09, 0x01, 0x81, 0x02, 0xC0,
    0x06, 0x00, 0xFF, 0x09, 0x00, 0xA1, 0x01, 0x85, 0x07, 0x95, 0x08, 0x09, 0x02,
    0xB1, 0x02, 0xC0,
};
// Someone else's keyboard, without report IDs.
const Bytes kKeyboard = {
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x05, 0x07, 0x75, 0x08, 0x95, 0x08, 0x81, 0x00, 0xC0,
};

class HidrawTestbed : public ::testing::Test {
 protected:
  void SetUp() override {
    // umockdev_in_mock_environment() asks who provides open(), which is the
    // sanitizer under AddressSanitizer; the preload list answers reliably.
    const char* preload = std::getenv("LD_PRELOAD");
    if (!preload || !std::strstr(preload, "umockdev-preload")) {
      GTEST_SKIP() << "needs libumockdev-preload in LD_PRELOAD";
    }
    bed_ = umockdev_testbed_new();
  }
  void TearDown() override {
    if (bed_) g_object_unref(bed_);
  }

  // A USB HID device with one hidraw node; returns the hidraw syspath.
  std::string AddNode(const char* hidName, const char* hidId, const char* hidraw, Bytes descriptor) {
    gchar* hid = umockdev_testbed_add_device(bed_, "hid", hidName, nullptr, nullptr,
                                             "HID_ID", hidId, nullptr);
    umockdev_testbed_set_attribute_binary(bed_, hid, "report_descriptor", descriptor.data(),
                                          static_cast<gint>(descriptor.size()));
    // Only a textual record makes the test bed create the /dev node too.
    const std::string number = hidraw + 6;  // "hidraw2" -> "2"
    const std::string record = std::string("P: ") + (hid + 4) + "/hidraw/" + hidraw + "\n" +
                               "N: " + hidraw + "\n" + "E: SUBSYSTEM=hidraw\n" +
                               "E: DEVNAME=/dev/" + hidraw + "\n" + "A: dev=243:" + number + "\n";
    GError* error = nullptr;
    EXPECT_TRUE(umockdev_testbed_add_from_string(bed_, record.c_str(), &error))
        << (error ? error->message : "");
    if (error) g_error_free(error);
    gchar* raw = g_strdup_printf("%s/hidraw/%s", hid, hidraw);
    std::string path = raw ? raw : "";
    g_free(raw);
    g_free(hid);
    return path;
  }
  void AddMouseAndKeyboard() {
    mouseSyspath_ = AddNode("0003:04D9:A09F.0002", "0003:000004D9:0000A09F", "hidraw2", kMouseVendor);
    AddNode("0003:046D:C31C.0001", "0003:0000046D:0000C31C", "hidraw0", kKeyboard);
  }

  UMockdevTestbed* bed_ = nullptr;
  std::string mouseSyspath_;
};

TEST_F(HidrawTestbed, EveryCollectionIsListedWithItsOwnPathAndLengths) {
  AddMouseAndKeyboard();
  auto backend = CreateLinuxHidBackend({.access = NodeAccess, .withVirtualMice = false});
  ASSERT_NE(backend, nullptr);
  const auto list = backend->Enumerate();
  ASSERT_EQ(list.size(), 3u);

  EXPECT_EQ(list[0].path, "/dev/hidraw0#0");
  EXPECT_EQ(list[0].vendorId, 0x046D);
  EXPECT_EQ(list[0].usage, 0x06);
  EXPECT_EQ(list[0].inputReportLength, 9);

  EXPECT_EQ(list[1].path, "/dev/hidraw2#0");
  EXPECT_EQ(list[1].vendorId, 0x04D9);
  EXPECT_EQ(list[1].productId, 0xA09F);
  EXPECT_EQ(list[1].usagePage, 0xFF01);
  EXPECT_EQ(list[1].inputReportLength, 8);
  EXPECT_EQ(list[1].featureReportLength, 0);

  EXPECT_EQ(list[2].path, "/dev/hidraw2#1");
  EXPECT_EQ(list[2].usagePage, 0xFF00);
  EXPECT_EQ(list[2].featureReportLength, 9);
  for (const auto& c : list) EXPECT_EQ(c.problem, "") << c.path;

  EXPECT_TRUE(backend->Open(list[2], HidOpenMode::Commands).Ok());
  // A collection index past the node's collections does not open.
  auto stray = list[2];
  stray.path = "/dev/hidraw2#5";
  const HidOpenResult strayOpen = backend->Open(stray, HidOpenMode::Commands);
  EXPECT_FALSE(strayOpen.Ok());
  EXPECT_NE(strayOpen.Reason(), "");
}

TEST_F(HidrawTestbed, MouseNodeWithoutPermissionSaysHowToFixIt) {
  AddMouseAndKeyboard();
  // The tests run with full rights, so the denial is injected.
  auto deny = [](const std::string&) { return EACCES; };
  auto backend = CreateLinuxHidBackend({.access = deny, .withVirtualMice = false});
  ASSERT_NE(backend, nullptr);
  const auto list = backend->Enumerate();
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].problem, "");  // not the mouse: nothing to tell the user
  for (std::size_t i = 1; i < 3; ++i) {
    EXPECT_NE(list[i].problem.find("No permission to open /dev/hidraw2"), std::string::npos);
    EXPECT_NE(list[i].problem.find("70-corvaline.rules"), std::string::npos);
    EXPECT_NE(list[i].problem.find("replug"), std::string::npos);
    EXPECT_EQ(list[i].featureReportLength, i == 2 ? 9 : 0);  // still fully described
  }
  const HidOpenResult denied = backend->Open(list[2], HidOpenMode::Commands);
  EXPECT_FALSE(denied.Ok());
  EXPECT_EQ(denied.Reason(), list[2].problem);
}

// The two collections in one descriptor, the commands without report IDs
// and the events with ID 6: the kernel would drop the plain data reports.
TEST_F(HidrawTestbed, AMouseDescriptorMixingNumberedAndPlainReportsIsToldNotWaitedOn) {
  const Bytes mixed = {
      0x06, 0x00, 0xFF, 0x0A, 0x00, 0xFF, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x08, 0x09, 0x01, 0xB1, 0x02,
      0x95, 0x20, 0x09, 0x02, 0x81, 0x02, 0x95, 0x20, 0x09, 0x03, 0x91, 0x02, 0xC0,
      0x06, 0x01, 0xFF, 0x0A, 0x01, 0xFF, 0xA1, 0x01, 0x85, 0x06, 0x95, 0x07, 0x09, 0x01, 0x81,
      0x02, 0xC0,
  };
  AddNode("0003:04D9:A09F.0003", "0003:000004D9:0000A09F", "hidraw3", mixed);
  auto backend = CreateLinuxHidBackend({.access = NodeAccess, .withVirtualMice = false});
  ASSERT_NE(backend, nullptr);
  const auto list = backend->Enumerate();
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].usagePage, 0xFF00);
  EXPECT_NE(list[0].problem.find("mixes numbered reports with the plain data reports"),
            std::string::npos)
      << list[0].problem;
  EXPECT_NE(list[0].problem.find("/dev/hidraw3"), std::string::npos);
}

TEST_F(HidrawTestbed, PlugAndUnplugGiveOneChangePerCollection) {
  auto backend = CreateLinuxHidBackend({.access = NodeAccess, .withVirtualMice = false});
  ASSERT_NE(backend, nullptr);
  ASSERT_TRUE(backend->StartDeviceMonitor());
  ASSERT_GE(backend->NotificationHandle(), 0);

  // Adding a device to the test bed announces it, as the kernel would.
  mouseSyspath_ = AddNode("0003:04D9:A09F.0002", "0003:000004D9:0000A09F", "hidraw2", kMouseVendor);
  pollfd pfd{backend->NotificationHandle(), POLLIN, 0};
  ASSERT_EQ(::poll(&pfd, 1, 5000), 1) << "no notification for the plug-in";
  auto changes = backend->TakeDeviceChanges();
  ASSERT_EQ(changes.size(), 2u);
  std::set<std::string> names;
  for (const auto& c : changes) {
    EXPECT_EQ(c.kind, HidDeviceChange::Kind::Arrival);
    EXPECT_NE(c.interfaceName.find("VID_04D9&PID_A09F"), std::string::npos) << c.interfaceName;
    names.insert(c.interfaceName);
  }
  EXPECT_EQ(names.size(), 2u) << "each collection needs its own interface name";

  umockdev_testbed_uevent(bed_, mouseSyspath_.c_str(), "remove");
  umockdev_testbed_remove_device(bed_, mouseSyspath_.c_str());
  ASSERT_EQ(::poll(&pfd, 1, 5000), 1) << "no notification for the removal";
  changes = backend->TakeDeviceChanges();
  ASSERT_EQ(changes.size(), 2u);
  for (const auto& c : changes) {
    EXPECT_EQ(c.kind, HidDeviceChange::Kind::Removal);
    EXPECT_TRUE(names.count(c.interfaceName)) << c.interfaceName;
  }
}

TEST_F(HidrawTestbed, VirtualMiceAndHidrawShareOneNotificationHandle) {
  char dir[] = "/tmp/corvaline-platform-test-XXXXXX";
  ASSERT_NE(::mkdtemp(dir), nullptr);
  const char* saved = std::getenv("XDG_RUNTIME_DIR");
  const std::string savedValue = saved ? saved : "";
  ::setenv("XDG_RUNTIME_DIR", dir, 1);
  auto backend = CreateLinuxHidBackend({.access = NodeAccess, .withVirtualMice = true});
  ASSERT_NE(backend, nullptr);
  ASSERT_TRUE(backend->StartDeviceMonitor());
  pollfd pfd{backend->NotificationHandle(), POLLIN, 0};

  // A virtual mouse appearing in the runtime folder...
  const std::string socket = std::string(dir) + "/corvaline-sim/mouse-4242.sock";
  std::ofstream(socket).put('\0');
  ASSERT_EQ(::poll(&pfd, 1, 5000), 1) << "no notification for the virtual mouse";
  auto changes = backend->TakeDeviceChanges();
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_NE(changes[0].interfaceName.find("VID_04D9&PID_A09F"), std::string::npos);
  EXPECT_EQ(::poll(&pfd, 1, 0), 0) << "the handle stays readable after the changes were taken";

  // ...and a real one on the same handle.
  AddNode("0003:04D9:A09F.0003", "0003:000004D9:0000A09F", "hidraw3", kMouseVendor);
  ASSERT_EQ(::poll(&pfd, 1, 5000), 1) << "no notification for the hidraw mouse";
  changes = backend->TakeDeviceChanges();
  EXPECT_EQ(changes.size(), 2u);

  backend.reset();
  std::remove(socket.c_str());
  ::rmdir((std::string(dir) + "/corvaline-sim").c_str());
  ::rmdir(dir);
  if (saved) ::setenv("XDG_RUNTIME_DIR", savedValue.c_str(), 1);
  else ::unsetenv("XDG_RUNTIME_DIR");
}

TEST(HidrawNames, InterfaceNamesAndPathsRoundTrip) {
  // The Windows form, upper-case IDs, one name per collection.
  EXPECT_EQ(HidInterfaceName(0x04D9, 0xA09F, 1, 2, "hidraw3"),
            "\\\\?\\HID#VID_04D9&PID_A09F&Col02#hidraw3#{4d1e55b2-f16f-11cf-88cb-001111000030}");
  EXPECT_EQ(HidInterfaceName(0x046d, 0xc31c, 0, 1, "hidraw0").find("VID_046D&PID_C31C#hidraw0#"),
            std::string("\\\\?\\HID#").size());

  std::string node;
  std::size_t index = 99;
  EXPECT_TRUE(SplitCollectionPath("/dev/hidraw12#3", node, index));
  EXPECT_EQ(node, "/dev/hidraw12");
  EXPECT_EQ(index, 3u);
  for (const char* bad : {"/dev/hidraw1", "/dev/hidraw1#", "#2", "/dev/hidraw1#x", "/dev/hidraw1#2a"}) {
    EXPECT_FALSE(SplitCollectionPath(bad, node, index)) << bad;
  }

  std::uint16_t vendor = 0, product = 0;
  EXPECT_TRUE(ParseHidId("0003:000004D9:0000A09F", vendor, product));
  EXPECT_EQ(vendor, 0x04D9);
  EXPECT_EQ(product, 0xA09F);
  for (const char* bad : {"", "0003", "0003:04D9", "0003:000104D9:0000A09F", "0003:04D9:A09G"}) {
    EXPECT_FALSE(ParseHidId(bad, vendor, product)) << bad;
  }
}

}  // namespace
}  // namespace corvaline::platform
