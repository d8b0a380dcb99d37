// The program's session-bus service for focus reports, and the KWin script
// that feeds it. Under KDE Plasma and GNOME Shell only the compositor knows
// the active Wayland window: a KWin script (loaded here through
// org.kde.KWin /Scripting) or the program's Shell extension calls
// FocusChanged(app_id). A report counts only when it comes from the unique
// bus name that owns that desktop's compositor name, so no other program of
// the user can steer the mouse. GIO's bus callbacks run in the GLib main
// loop, which the Qt event loop drives on Linux.
#include <gio/gio.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/focus_bus.h"

namespace corvaline::platform {
namespace {

constexpr char kIntrospection[] =
    "<node><interface name='io.github.corvaline.Control'>"
    "<method name='FocusChanged'><arg type='s' name='app_id' direction='in'/></method>"
    "</interface></node>";

constexpr char kScriptName[] = "corvaline-focus";

// A connection of the watcher's own: GIO's shared one would end the whole
// program when the session bus goes away.
GDBusConnection* OpenSessionBus(std::string* problem) {
  GError* error = nullptr;
  gchar* address = g_dbus_address_get_for_bus_sync(G_BUS_TYPE_SESSION, nullptr, &error);
  GDBusConnection* bus =
      address ? g_dbus_connection_new_for_address_sync(
                    address,
                    GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                         G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
                    nullptr, nullptr, &error)
              : nullptr;
  g_free(address);
  if (!bus && problem) *problem = error ? error->message : "no session bus";
  g_clear_error(&error);
  if (bus) g_dbus_connection_set_exit_on_close(bus, FALSE);
  return bus;
}

// A call to the bus itself, answered at once.
GVariant* BusCall(GDBusConnection* bus, const char* method, GVariant* args, const char* replyType) {
  return g_dbus_connection_call_sync(
      bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", method, args,
      G_VARIANT_TYPE(replyType), G_DBUS_CALL_FLAGS_NONE, 2000, nullptr, nullptr);
}

class BusFocusWatcher : public FocusWatcher {
 public:
  BusFocusWatcher(GDBusConnection* bus, BusDesktop desktop, FocusWatcher::Report report)
      : bus_(bus), desktop_(desktop), report_(std::move(report)) {}

  ~BusFocusWatcher() override {
    if (scriptLoaded_) UnloadScript();
    if (object_) g_dbus_connection_unregister_object(bus_, object_);
    g_dbus_connection_close_sync(bus_, nullptr, nullptr);
    g_object_unref(bus_);
  }

  std::string_view Name() const override { return desktop_ == BusDesktop::Kde ? "kwin" : "gnome"; }
  int Descriptor() const override { return -1; }
  void Dispatch() override {
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
  }

  bool Register(std::string* problem) {
    GError* error = nullptr;
    GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(kIntrospection, &error);
    static const GDBusInterfaceVTable vtable = {&BusFocusWatcher::OnCall, nullptr, nullptr, {}};
    if (node)
      object_ = g_dbus_connection_register_object(bus_, kFocusBusPath, node->interfaces[0], &vtable,
                                                  this, nullptr, &error);
    if (node) g_dbus_node_info_unref(node);
    if (!object_) {
      *problem = error ? error->message : "cannot offer the focus service";
      g_clear_error(&error);
      return false;
    }
    // Asked for at once, so the name answers as soon as this returns.
    GVariant* r = BusCall(bus_, "RequestName", g_variant_new("(su)", kFocusBusName, 4u), "(u)");
    guint32 result = 0;
    if (r) g_variant_get(r, "(u)", &result), g_variant_unref(r);
    if (result != 1 && result != 4) {  // primary owner, or already it
      *problem = std::string("another program holds ") + kFocusBusName;
      return false;
    }
    return true;
  }

  // KWin: loadScript(path, name) gives the script's number; run() on its
  // object starts it. That object is /N up to Plasma 5.27 and
  // /Scripting/ScriptN from Plasma 6 on; KWin's own introspection of
  // /Scripting says which, so run() goes where the object is.
  bool LoadScript(const std::string& path, std::string* problem) {
    UnloadScript();  // a script of an earlier run that ended without unloading
    GVariant* r =
        Call("/Scripting", "org.kde.kwin.Scripting", "loadScript",
             g_variant_new("(ss)", path.c_str(), kScriptName), G_VARIANT_TYPE("(i)"), problem);
    if (!r) return false;
    gint32 id = -1;
    g_variant_get(r, "(i)", &id);
    g_variant_unref(r);
    scriptLoaded_ = true;
    const std::string number = std::to_string(id);
    const std::string plasma6 = "/Scripting/Script" + number, plasma5 = "/" + number;
    std::vector<std::string> objects{plasma6, plasma5};  // both, when KWin does not say
    if (const std::optional<bool> six = HasChildNode("/Scripting", "Script" + number))
      objects = {*six ? plasma6 : plasma5};
    for (const std::string& object : objects) {
      if (GVariant* ran =
              Call(object.c_str(), "org.kde.kwin.Script", "run", nullptr, nullptr, problem)) {
        g_variant_unref(ran);
        return true;
      }
    }
    return false;
  }

 private:
  GVariant* Call(const char* path, const char* interface, const char* method, GVariant* args,
                 const GVariantType* replyType, std::string* problem) {
    GError* error = nullptr;
    GVariant* r =
        g_dbus_connection_call_sync(bus_, "org.kde.KWin", path, interface, method, args, replyType,
                                    G_DBUS_CALL_FLAGS_NONE, 2000, nullptr, &error);
    if (!r && problem) *problem = error ? error->message : "KWin did not answer";
    g_clear_error(&error);
    return r;
  }

  // Whether KWin's object at `path` lists a child `name`; nothing when its
  // introspection does not answer.
  std::optional<bool> HasChildNode(const char* path, const std::string& name) {
    GVariant* r = Call(path, "org.freedesktop.DBus.Introspectable", "Introspect", nullptr,
                       G_VARIANT_TYPE("(s)"), nullptr);
    if (!r) return std::nullopt;
    const gchar* xml = nullptr;
    g_variant_get(r, "(&s)", &xml);
    GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(xml, nullptr);
    g_variant_unref(r);
    if (!node) return std::nullopt;
    bool found = false;
    for (GDBusNodeInfo** child = node->nodes; child && *child; ++child)
      found = found || name == (*child)->path;
    g_dbus_node_info_unref(node);
    return found;
  }

  void UnloadScript() {
    if (GVariant* r = Call("/Scripting", "org.kde.kwin.Scripting", "unloadScript",
                           g_variant_new("(s)", kScriptName), nullptr, nullptr))
      g_variant_unref(r);
    scriptLoaded_ = false;
  }

  static void OnCall(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                     const gchar* method, GVariant* parameters, GDBusMethodInvocation* invocation,
                     gpointer self) {
    auto* w = static_cast<BusFocusWatcher*>(self);
    if (g_strcmp0(method, "FocusChanged") == 0) {
      if (!w->FromCompositor(g_dbus_method_invocation_get_sender(invocation))) {
        g_dbus_method_invocation_return_dbus_error(
            invocation, "org.freedesktop.DBus.Error.AccessDenied",
            "focus reports are taken from the desktop's compositor only");
        return;
      }
      const gchar* app = nullptr;
      g_variant_get(parameters, "(&s)", &app);
      if (app && *app) w->report_({app});
    }
    g_dbus_method_invocation_return_value(invocation, nullptr);
  }
  // Any program of the user can call the service; a report counts only from
  // the connection that owns the running desktop's compositor name.
  bool FromCompositor(const gchar* sender) const {
    const char* name = desktop_ == BusDesktop::Kde ? "org.kde.KWin" : "org.gnome.Shell";
    GVariant* r = BusCall(bus_, "GetNameOwner", g_variant_new("(s)", name), "(s)");
    if (!r) return false;  // nobody owns it: that desktop is not running
    const gchar* owner = nullptr;
    g_variant_get(r, "(&s)", &owner);
    const bool same = sender && owner && g_strcmp0(sender, owner) == 0;
    g_variant_unref(r);
    return same;
  }

  GDBusConnection* bus_;
  BusDesktop desktop_;
  FocusWatcher::Report report_;
  guint object_ = 0;
  bool scriptLoaded_ = false;
};

}  // namespace

std::unique_ptr<FocusWatcher> CreateBusFocusWatcher(BusDesktop desktop,
                                                    const std::string& kwinScript,
                                                    const FocusWatcher::Report& report,
                                                    std::string* problem) {
  GDBusConnection* bus = OpenSessionBus(problem);
  if (!bus) return nullptr;
  auto w = std::make_unique<BusFocusWatcher>(bus, desktop, report);
  if (!w->Register(problem)) return nullptr;
  if (desktop == BusDesktop::Kde && !w->LoadScript(kwinScript, problem)) return nullptr;
  return w;
}

bool GnomeExtensionEnabled() {
  GDBusConnection* bus = OpenSessionBus(nullptr);
  if (!bus) return false;
  GVariant* r = g_dbus_connection_call_sync(
      bus, "org.gnome.Shell.Extensions", "/org/gnome/Shell/Extensions",
      "org.gnome.Shell.Extensions", "GetExtensionInfo", g_variant_new("(s)", kGnomeExtensionUuid),
      G_VARIANT_TYPE("(a{sv})"), G_DBUS_CALL_FLAGS_NONE, 2000, nullptr, nullptr);
  bool enabled = false;
  if (r) {
    GVariant* info = g_variant_get_child_value(r, 0);
    double state = 0;
    enabled = g_variant_lookup(info, "state", "d", &state) && state == 1.0;  // ENABLED
    g_variant_unref(info);
    g_variant_unref(r);
  }
  g_dbus_connection_close_sync(bus, nullptr, nullptr);
  g_object_unref(bus);
  return enabled;
}

}  // namespace corvaline::platform
