// GNOME and the desktops built on its settings daemon keep the mouse's
// settings in org.gnome.desktop.peripherals.mouse; the daemon applies a
// change as soon as the key changes. The wheel has no setting there.
#include <gio/gio.h>

#include "core/system/pointer_levels.h"
#include "platform/linux/pointer_backends.h"

namespace corvaline::platform {
namespace {

constexpr char kMouseSchema[] = "org.gnome.desktop.peripherals.mouse";
constexpr char kSpeedKey[] = "speed";
constexpr char kDoubleClickKey[] = "double-click";
constexpr char kProfileKey[] = "accel-profile";
constexpr char kFlat[] = "flat";
constexpr char kAdaptive[] = "adaptive";

class GSettingsPointer : public PointerBackend {
 public:
  explicit GSettingsPointer(GSettings* settings) : settings_(settings) {}
  ~GSettingsPointer() override {
    g_settings_sync();
    g_object_unref(settings_);
  }
  GSettingsPointer(const GSettingsPointer&) = delete;
  GSettingsPointer& operator=(const GSettingsPointer&) = delete;

  std::string_view Name() const override { return "GSettings"; }
  bool Supports(PointerSetting setting) const override {
    return setting != PointerSetting::WheelLines;
  }

  std::optional<int> ReadSpeed() override {
    return SystemSpeedFromScale(g_settings_get_double(settings_, kSpeedKey));
  }
  std::optional<int> ReadWheelLines() override { return std::nullopt; }
  std::optional<int> ReadDoubleClickMs() override {
    const int ms = g_settings_get_int(settings_, kDoubleClickKey);
    if (ms <= 0) return std::nullopt;
    return ms;
  }
  std::optional<bool> ReadAcceleration() override {
    gchar* profile = g_settings_get_string(settings_, kProfileKey);
    // 'default' leaves the device's own profile, adaptive for mice.
    const bool accelerated = g_strcmp0(profile, kFlat) != 0;
    g_free(profile);
    return accelerated;
  }

  bool WriteSpeed(int speed) override {
    return Done(g_settings_set_double(settings_, kSpeedKey, SpeedScaleFromSystem(speed)));
  }
  bool WriteWheelLines(int) override { return false; }
  bool WriteDoubleClickMs(int milliseconds) override {
    return Done(g_settings_set_int(settings_, kDoubleClickKey, milliseconds));
  }
  bool WriteAcceleration(bool on) override {
    return Done(g_settings_set_string(settings_, kProfileKey, on ? kAdaptive : kFlat));
  }

 private:
  // A key that is locked down refuses the value; a taken one is flushed at
  // once so the desktop sees it without waiting for this program's idle time.
  static bool Done(gboolean written) {
    if (written) g_settings_sync();
    return written;
  }

  GSettings* settings_;
};

}  // namespace

bool GnomeMouseSchemaInstalled() {
  GSettingsSchemaSource* source = g_settings_schema_source_get_default();
  if (!source) return false;
  GSettingsSchema* schema = g_settings_schema_source_lookup(source, kMouseSchema, TRUE);
  if (!schema) return false;
  const bool complete = g_settings_schema_has_key(schema, kSpeedKey) &&
                        g_settings_schema_has_key(schema, kDoubleClickKey) &&
                        g_settings_schema_has_key(schema, kProfileKey);
  g_settings_schema_unref(schema);
  return complete;
}

std::unique_ptr<PointerBackend> CreateGSettingsPointerBackend() {
  // g_settings_new aborts the process on a missing schema, so look first.
  if (!GnomeMouseSchemaInstalled()) return nullptr;
  return std::make_unique<GSettingsPointer>(g_settings_new(kMouseSchema));
}

}  // namespace corvaline::platform
