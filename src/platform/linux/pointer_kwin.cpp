// KDE Plasma: KWin owns the pointer devices and keeps each one's speed
// (pointerAcceleration, -1..1) and acceleration profile, set over D-Bus as
// Plasma's own mouse settings do; KWin stores them itself. The double-click
// time and the wheel lines live in kdeglobals, group [KDE], and Plasma's
// programs reread them on KConfig's change notification.
#include <gio/gio.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/system/pointer_levels.h"
#include "platform/linux/pointer_backends.h"
#include "platform/linux/pointer_kdeglobals.h"

namespace corvaline::platform {
namespace {

constexpr char kService[] = "org.kde.KWin";
constexpr char kManagerPath[] = "/org/kde/KWin/InputDevice";
constexpr char kManagerInterface[] = "org.kde.KWin.InputDeviceManager";
constexpr char kDeviceInterface[] = "org.kde.KWin.InputDevice";
constexpr char kKdeGroup[] = "KDE";
constexpr char kKdeDoubleClickKey[] = "DoubleClickInterval";
constexpr char kWheelKey[] = "WheelScrollLines";
// What Plasma uses while kdeglobals says nothing.
constexpr int kPlasmaDoubleClickMs = 400;
constexpr int kPlasmaWheelLines = 3;
constexpr int kCallTimeoutMs = 2000;

// One pointer device as KWin describes it.
struct KWinDevice {
  std::string path;
  bool supportsSpeed = false;
  double speed = 0.0;
  bool supportsFlat = false, supportsAdaptive = false;
  bool adaptive = false;
};

GVariant* Call(GDBusConnection* bus, const char* path, const char* method, GVariant* args,
               const char* replyType) {
  return g_dbus_connection_call_sync(bus, kService, path, "org.freedesktop.DBus.Properties",
                                     method, args, G_VARIANT_TYPE(replyType),
                                     G_DBUS_CALL_FLAGS_NO_AUTO_START, kCallTimeoutMs, nullptr,
                                     nullptr);
}

// The sysNames of KWin's input devices; nullopt when KWin does not answer.
std::optional<std::vector<std::string>> DeviceNames(GDBusConnection* bus) {
  GVariant* reply = Call(bus, kManagerPath, "Get",
                         g_variant_new("(ss)", kManagerInterface, "devicesSysNames"), "(v)");
  if (!reply) return std::nullopt;
  GVariant* value = nullptr;
  g_variant_get(reply, "(v)", &value);
  std::vector<std::string> names;
  if (g_variant_is_of_type(value, G_VARIANT_TYPE_STRING_ARRAY)) {
    gsize count = 0;
    const gchar** strings = g_variant_get_strv(value, &count);
    names.assign(strings, strings + count);
    g_free(strings);
  }
  g_variant_unref(value);
  g_variant_unref(reply);
  return names;
}

bool Flag(GVariantDict* dict, const char* name) {
  gboolean value = FALSE;
  return g_variant_dict_lookup(dict, name, "b", &value) && value;
}

// The mice: pointer devices that are not touchpads (Plasma gives touchpads
// settings of their own).
std::vector<KWinDevice> Mice(GDBusConnection* bus) {
  std::vector<KWinDevice> mice;
  for (const std::string& name : DeviceNames(bus).value_or(std::vector<std::string>{})) {
    KWinDevice device{std::string(kManagerPath) + "/" + name};
    GVariant* reply = Call(bus, device.path.c_str(), "GetAll",
                           g_variant_new("(s)", kDeviceInterface), "(a{sv})");
    if (!reply) continue;  // gone meanwhile
    GVariant* all = g_variant_get_child_value(reply, 0);
    GVariantDict dict;
    g_variant_dict_init(&dict, all);
    if (Flag(&dict, "pointer") && !Flag(&dict, "touchpad")) {
      device.supportsSpeed = Flag(&dict, "supportsPointerAcceleration") &&
                             g_variant_dict_lookup(&dict, "pointerAcceleration", "d", &device.speed);
      device.supportsFlat = Flag(&dict, "supportsPointerAccelerationProfileFlat");
      device.supportsAdaptive = Flag(&dict, "supportsPointerAccelerationProfileAdaptive");
      device.adaptive = Flag(&dict, "pointerAccelerationProfileAdaptive");
      mice.push_back(device);
    }
    g_variant_dict_clear(&dict);
    g_variant_unref(all);
    g_variant_unref(reply);
  }
  return mice;
}

bool SetProperty(GDBusConnection* bus, const std::string& path, const char* name, GVariant* value) {
  GVariant* reply = Call(bus, path.c_str(), "Set",
                         g_variant_new("(ssv)", kDeviceInterface, name, value), "()");
  if (!reply) return false;
  g_variant_unref(reply);
  return true;
}

class KWinPointer : public PointerBackend {
 public:
  KWinPointer(GDBusConnection* bus, std::string kdeglobals)
      : bus_(bus), kdeglobals_(std::move(kdeglobals)) {}
  ~KWinPointer() override { g_object_unref(bus_); }
  KWinPointer(const KWinPointer&) = delete;
  KWinPointer& operator=(const KWinPointer&) = delete;

  std::string_view Name() const override { return "KWin"; }
  bool Supports(PointerSetting) const override { return true; }

  std::optional<int> ReadSpeed() override {
    for (const KWinDevice& mouse : Mice(bus_))
      if (mouse.supportsSpeed) return SystemSpeedFromScale(mouse.speed);
    return std::nullopt;
  }
  std::optional<int> ReadWheelLines() override {
    return ReadNumber(kWheelKey, kPlasmaWheelLines);
  }
  std::optional<int> ReadDoubleClickMs() override {
    return ReadNumber(kKdeDoubleClickKey, kPlasmaDoubleClickMs);
  }
  std::optional<bool> ReadAcceleration() override {
    for (const KWinDevice& mouse : Mice(bus_))
      if (mouse.supportsFlat || mouse.supportsAdaptive) return mouse.adaptive;
    return std::nullopt;
  }

  // Every mouse that can take it; false when one refused or none could.
  bool WriteSpeed(int speed) override {
    const double scale = SpeedScaleFromSystem(speed);
    int written = 0;
    for (const KWinDevice& mouse : Mice(bus_)) {
      if (!mouse.supportsSpeed) continue;
      if (!SetProperty(bus_, mouse.path, "pointerAcceleration", g_variant_new_double(scale)))
        return false;
      ++written;
    }
    return written > 0;
  }
  bool WriteAcceleration(bool on) override {
    int written = 0;
    for (const KWinDevice& mouse : Mice(bus_)) {
      if (!(on ? mouse.supportsAdaptive : mouse.supportsFlat)) continue;
      const char* profile = on ? "pointerAccelerationProfileAdaptive" : "pointerAccelerationProfileFlat";
      if (!SetProperty(bus_, mouse.path, profile, g_variant_new_boolean(TRUE))) return false;
      ++written;
    }
    return written > 0;
  }
  // Plasma has no "one screen per notch".
  bool WriteWheelLines(int lines) override {
    return lines > 0 && WriteNumber(kWheelKey, lines);
  }
  bool WriteDoubleClickMs(int milliseconds) override {
    return milliseconds > 0 && WriteNumber(kKdeDoubleClickKey, milliseconds);
  }

 private:
  std::optional<int> ReadNumber(const char* key, int plasmaDefault) {
    const auto text = ReadKdeSetting(kdeglobals_, kKdeGroup, key);
    if (!text) return plasmaDefault;
    char* end = nullptr;
    const long value = std::strtol(text->c_str(), &end, 10);
    if (end == text->c_str() || *end || value <= 0 || value > 100000) return plasmaDefault;
    return static_cast<int>(value);
  }
  bool WriteNumber(const char* key, int value) {
    if (!WriteKdeSetting(kdeglobals_, kKdeGroup, key, std::to_string(value))) return false;
    Announce(key);
    return true;
  }
  // KConfig's change notification for kdeglobals (group -> key names as
  // byte arrays, a{saay}: KDE's programs expect exactly that type), and the
  // older one that KDE programs of Plasma 5 listen to for mouse settings.
  void Announce(const char* key) {
    GVariantBuilder keys;
    g_variant_builder_init(&keys, G_VARIANT_TYPE("aay"));
    g_variant_builder_add_value(&keys,
                                g_variant_new_fixed_array(G_VARIANT_TYPE_BYTE, key, std::strlen(key), 1));
    GVariantBuilder groups;
    g_variant_builder_init(&groups, G_VARIANT_TYPE("a{saay}"));
    g_variant_builder_add(&groups, "{s@aay}", kKdeGroup, g_variant_builder_end(&keys));
    g_dbus_connection_emit_signal(bus_, nullptr, "/kdeglobals", "org.kde.kconfig.notify",
                                  "ConfigChanged", g_variant_new("(a{saay})", &groups), nullptr);
    constexpr int kSettingsChanged = 3, kMouseSettings = 0;
    g_dbus_connection_emit_signal(bus_, nullptr, "/KGlobalSettings", "org.kde.KGlobalSettings",
                                  "notifyChange",
                                  g_variant_new("(ii)", kSettingsChanged, kMouseSettings), nullptr);
    g_dbus_connection_flush_sync(bus_, nullptr, nullptr);
  }

  GDBusConnection* bus_;
  std::string kdeglobals_;
};

}  // namespace

std::unique_ptr<PointerBackend> CreateKWinPointerBackend(const std::string& kdeglobals) {
  GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
  if (!bus) return nullptr;
  // Plasma on X11 has KWin but not its input devices: not ours then.
  if (!DeviceNames(bus)) {
    g_object_unref(bus);
    return nullptr;
  }
  return std::make_unique<KWinPointer>(bus, kdeglobals);
}

std::string UserKdeGlobals() {
  return std::string(g_get_user_config_dir()) + "/kdeglobals";
}

}  // namespace corvaline::platform
