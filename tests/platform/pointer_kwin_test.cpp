// KDE Plasma's pointer settings against a stand-in for KWin: a private
// session bus (GTestDBus) where a thread owns org.kde.KWin and exports the
// input-device interfaces KWin exports (a mouse, a second mouse with the flat
// profile only, a touchpad and a keyboard), and a kdeglobals of the test's own.
#include <gio/gio.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <map>
#include <mutex>
#include <sstream>
#include <thread>

#include "platform/linux/pointer_backends.h"
#include "platform/linux/pointer_kdeglobals.h"

namespace corvaline::platform {
namespace {

constexpr char kIntrospection[] = R"(<node>
  <interface name='org.kde.KWin.InputDeviceManager'>
    <property name='devicesSysNames' type='as' access='read'/>
  </interface>
  <interface name='org.kde.KWin.InputDevice'>
    <property name='pointer' type='b' access='read'/>
    <property name='touchpad' type='b' access='read'/>
    <property name='supportsPointerAcceleration' type='b' access='read'/>
    <property name='pointerAcceleration' type='d' access='readwrite'/>
    <property name='supportsPointerAccelerationProfileFlat' type='b' access='read'/>
    <property name='supportsPointerAccelerationProfileAdaptive' type='b' access='read'/>
    <property name='pointerAccelerationProfileFlat' type='b' access='readwrite'/>
    <property name='pointerAccelerationProfileAdaptive' type='b' access='readwrite'/>
  </interface>
</node>)";

struct Device {
  bool pointer, touchpad, flatOk, adaptiveOk;
  double speed;
  bool adaptive;
};

class KWinStandIn {
 public:
  std::mutex mutex;
  std::map<std::string, Device> devices{
      {"event4", {true, false, true, true, 0.0, true}},
      {"event5", {true, false, true, false, -0.4, false}},
      {"event6", {true, true, true, true, 0.3, true}},
      {"event2", {false, false, false, false, 0.0, false}}};
  std::vector<std::string> changedKeys;  // from kdeglobals' ConfigChanged

  void Start() {
    std::promise<void> ready;
    thread_ = std::thread([this, &ready] { Run(ready); });
    ready.get_future().wait();
  }
  ~KWinStandIn() {
    if (!thread_.joinable()) return;
    g_main_loop_quit(loop_);
    thread_.join();
  }

 private:
  void Run(std::promise<void>& ready) {
    GMainContext* context = g_main_context_new();
    g_main_context_push_thread_default(context);
    loop_ = g_main_loop_new(context, FALSE);
    GDBusConnection* bus = g_dbus_connection_new_for_address_sync(
        g_getenv("DBUS_SESSION_BUS_ADDRESS"),
        static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                          G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, nullptr);
    GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(kIntrospection, nullptr);
    static const GDBusInterfaceVTable vtable{nullptr, &KWinStandIn::Get, &KWinStandIn::Set, {}};
    g_dbus_connection_register_object(bus, "/org/kde/KWin/InputDevice", node->interfaces[0],
                                      &vtable, this, nullptr, nullptr);
    for (const auto& [name, device] : devices)
      g_dbus_connection_register_object(bus, ("/org/kde/KWin/InputDevice/" + name).c_str(),
                                        node->interfaces[1], &vtable, this, nullptr, nullptr);
    g_dbus_connection_signal_subscribe(bus, nullptr, "org.kde.kconfig.notify", "ConfigChanged",
                                       "/kdeglobals", nullptr, G_DBUS_SIGNAL_FLAGS_NONE,
                                       &KWinStandIn::Changed, this, nullptr);
    g_variant_unref(g_dbus_connection_call_sync(
        bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName",
        g_variant_new("(su)", "org.kde.KWin", 4u), nullptr, G_DBUS_CALL_FLAGS_NONE, -1, nullptr,
        nullptr));
    ready.set_value();
    g_main_loop_run(loop_);
    g_dbus_node_info_unref(node);
    g_dbus_connection_close_sync(bus, nullptr, nullptr);
    g_object_unref(bus);
    g_main_loop_unref(loop_);
    g_main_context_pop_thread_default(context);
    g_main_context_unref(context);
  }

  static GVariant* Get(GDBusConnection*, const char*, const char* path, const char*,
                       const char* property, GError**, gpointer data) {
    auto* self = static_cast<KWinStandIn*>(data);
    std::lock_guard lock(self->mutex);
    const std::string p = property;
    if (p == "devicesSysNames") {
      GVariantBuilder names;
      g_variant_builder_init(&names, G_VARIANT_TYPE("as"));
      for (const auto& [name, device] : self->devices) g_variant_builder_add(&names, "s", name.c_str());
      return g_variant_builder_end(&names);
    }
    const Device& d = self->devices.at(std::filesystem::path(path).filename().string());
    if (p == "pointerAcceleration") return g_variant_new_double(d.speed);
    const bool flag = p == "pointer"                                        ? d.pointer
                      : p == "touchpad"                                     ? d.touchpad
                      : p == "supportsPointerAcceleration"                  ? d.pointer
                      : p == "supportsPointerAccelerationProfileFlat"       ? d.flatOk
                      : p == "supportsPointerAccelerationProfileAdaptive"   ? d.adaptiveOk
                      : p == "pointerAccelerationProfileAdaptive"           ? d.adaptive
                                                                            : !d.adaptive;
    return g_variant_new_boolean(flag);
  }

  // As KWin: a speed outside -1..1 or an unsupported profile is refused.
  static gboolean Set(GDBusConnection*, const char*, const char* path, const char*,
                      const char* property, GVariant* value, GError** error, gpointer data) {
    auto* self = static_cast<KWinStandIn*>(data);
    std::lock_guard lock(self->mutex);
    Device& d = self->devices.at(std::filesystem::path(path).filename().string());
    const std::string p = property;
    bool ok = true;
    if (p == "pointerAcceleration") {
      const double s = g_variant_get_double(value);
      ok = s >= -1.0 && s <= 1.0;
      if (ok) d.speed = s;
    } else {
      const bool adaptive = (p == "pointerAccelerationProfileAdaptive") == g_variant_get_boolean(value);
      ok = adaptive ? d.adaptiveOk : d.flatOk;
      if (ok) d.adaptive = adaptive;
    }
    if (!ok) g_set_error(error, G_DBUS_ERROR, G_DBUS_ERROR_INVALID_ARGS, "refused");
    return ok;
  }

  static void Changed(GDBusConnection*, const char*, const char*, const char*, const char*,
                      GVariant* parameters, gpointer data) {
    auto* self = static_cast<KWinStandIn*>(data);
    GVariantIter* groups = nullptr;
    g_variant_get(parameters, "(a{saay})", &groups);
    const char* group = nullptr;
    GVariant* keys = nullptr;
    std::lock_guard lock(self->mutex);
    while (g_variant_iter_loop(groups, "{&s@aay}", &group, &keys)) {
      for (gsize i = 0; i < g_variant_n_children(keys); ++i) {
        GVariant* key = g_variant_get_child_value(keys, i);
        gsize length = 0;
        const auto* bytes = static_cast<const char*>(g_variant_get_fixed_array(key, &length, 1));
        self->changedKeys.push_back(std::string(group) + "/" + std::string(bytes, length));
        g_variant_unref(key);
      }
    }
    g_variant_iter_free(groups);
  }

  GMainLoop* loop_ = nullptr;
  std::thread thread_;
};

class KWinBackend : public ::testing::Test {
 protected:
  void SetUp() override {
    bus_ = g_test_dbus_new(G_TEST_DBUS_NONE);
    g_test_dbus_up(bus_);
    folder_ = std::filesystem::temp_directory_path() /
              ("corvaline-kwin-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    std::filesystem::create_directories(folder_);
    kdeglobals_ = (folder_ / "kdeglobals").string();
  }
  void TearDown() override {
    standIn_.reset();
    g_test_dbus_down(bus_);
    g_object_unref(bus_);
    std::filesystem::remove_all(folder_);
  }
  std::unique_ptr<PointerBackend> StartKWin() {
    standIn_ = std::make_unique<KWinStandIn>();
    standIn_->Start();
    return CreateKWinPointerBackend(kdeglobals_);
  }
  Device DeviceAt(const std::string& name) {
    std::lock_guard lock(standIn_->mutex);
    return standIn_->devices.at(name);
  }
  std::string FileText() {
    std::ifstream in(kdeglobals_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  GTestDBus* bus_ = nullptr;
  std::unique_ptr<KWinStandIn> standIn_;
  std::filesystem::path folder_;
  std::string kdeglobals_;
};

TEST_F(KWinBackend, NoKWinOnTheBusNoBackend) {
  EXPECT_EQ(CreateKWinPointerBackend(kdeglobals_), nullptr);
}

TEST_F(KWinBackend, SpeedAndProfileGoToEveryMouseNeverToTouchpadOrKeyboard) {
  auto pointer = StartKWin();
  ASSERT_NE(pointer, nullptr);
  EXPECT_EQ(pointer->ReadSpeed(), 10);  // the first mouse's 0.0
  EXPECT_EQ(pointer->ReadAcceleration(), true);

  ASSERT_TRUE(pointer->WriteSpeed(15));
  EXPECT_DOUBLE_EQ(DeviceAt("event4").speed, 0.5);
  EXPECT_DOUBLE_EQ(DeviceAt("event5").speed, 0.5);
  EXPECT_DOUBLE_EQ(DeviceAt("event6").speed, 0.3);  // the touchpad keeps its own
  EXPECT_EQ(pointer->ReadSpeed(), 15);
  ASSERT_TRUE(pointer->WriteSpeed(1));
  EXPECT_DOUBLE_EQ(DeviceAt("event4").speed, -0.9);

  ASSERT_TRUE(pointer->WriteAcceleration(false));
  EXPECT_FALSE(DeviceAt("event4").adaptive);
  EXPECT_TRUE(DeviceAt("event6").adaptive);
  EXPECT_EQ(pointer->ReadAcceleration(), false);
  // The second mouse has no adaptive profile: left flat, the first one takes it.
  ASSERT_TRUE(pointer->WriteAcceleration(true));
  EXPECT_TRUE(DeviceAt("event4").adaptive);
  EXPECT_FALSE(DeviceAt("event5").adaptive);
}

TEST_F(KWinBackend, DoubleClickAndWheelLinesInKdeglobalsWithTheChangeAnnounced) {
  {
    std::ofstream out(kdeglobals_);
    out << "[Colors:Header][Inactive]\nBackgroundNormal=227,229,231\n\n"
           "[KDE]\nLookAndFeelPackage=org.kde.breeze.desktop\nDoubleClickInterval=400\n\n"
           "[General]\nName[de]=Breeze\nfont=Noto Sans,10\n";
  }
  auto pointer = StartKWin();
  ASSERT_NE(pointer, nullptr);
  EXPECT_EQ(pointer->ReadDoubleClickMs(), 400);
  EXPECT_EQ(pointer->ReadWheelLines(), 3);  // Plasma's own when absent

  ASSERT_TRUE(pointer->WriteDoubleClickMs(550));
  ASSERT_TRUE(pointer->WriteWheelLines(7));
  EXPECT_EQ(pointer->ReadDoubleClickMs(), 550);
  EXPECT_EQ(pointer->ReadWheelLines(), 7);
  EXPECT_EQ(FileText(),
            "[Colors:Header][Inactive]\nBackgroundNormal=227,229,231\n\n"
            "[KDE]\nLookAndFeelPackage=org.kde.breeze.desktop\nDoubleClickInterval=550\n"
            "WheelScrollLines=7\n\n"
            "[General]\nName[de]=Breeze\nfont=Noto Sans,10\n");
  EXPECT_FALSE(pointer->WriteWheelLines(-1));  // no page scrolling in Plasma

  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  for (;;) {
    {
      std::lock_guard lock(standIn_->mutex);
      if (standIn_->changedKeys.size() >= 2 || std::chrono::steady_clock::now() > until) break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  std::lock_guard lock(standIn_->mutex);
  EXPECT_EQ(standIn_->changedKeys,
            (std::vector<std::string>{"KDE/DoubleClickInterval", "KDE/WheelScrollLines"}));
}

TEST(KdeSettingsFile, NewFileNewGroupAndALockedKeyIsNeverWritten) {
  const auto folder = std::filesystem::temp_directory_path() / "corvaline-kdeglobals-test";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const std::string path = (folder / "kdeglobals").string();
  ASSERT_TRUE(WriteKdeSetting(path, "KDE", "WheelScrollLines", "5"));
  EXPECT_EQ(ReadKdeSetting(path, "KDE", "WheelScrollLines"), "5");
  { std::ofstream(path) << "[General]\nx=1\n[KDE]\nWheelScrollLines[$i]=3\n"; }
  EXPECT_FALSE(WriteKdeSetting(path, "KDE", "WheelScrollLines", "9"));
  EXPECT_EQ(ReadKdeSetting(path, "KDE", "WheelScrollLines"), "3");
  ASSERT_TRUE(WriteKdeSetting(path, "Mouse", "cursorSize", "24"));
  EXPECT_EQ(ReadKdeSetting(path, "Mouse", "cursorSize"), "24");
  EXPECT_EQ(ReadKdeSetting(path, "General", "x"), "1");
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace corvaline::platform
