// The wlroots focus watcher: compositors built on wlroots (sway, Hyprland,
// river, Wayfire, labwc) list every toplevel through
// zwlr_foreign_toplevel_manager_v1; the one whose state holds `activated`
// has the focus, and its app_id names the application.
#include <wayland-client.h>

#include <cstring>
#include <map>

#include "platform/focus_watch.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

namespace corvaline::platform {
namespace {

constexpr std::uint32_t kManagerVersion = 3;

struct Toplevel {
  std::string appId;
  bool activated = false;  // as of the last `done`
  bool pendingActivated = false;
};

class WlrootsFocusWatcher : public FocusWatcher {
 public:
  WlrootsFocusWatcher(wl_display* d, FocusWatcher::Report report)
      : display_(d), report_(std::move(report)) {}
  ~WlrootsFocusWatcher() override {
    for (auto& [handle, t] : toplevels_) zwlr_foreign_toplevel_handle_v1_destroy(handle);
    if (manager_) zwlr_foreign_toplevel_manager_v1_stop(manager_);
    if (manager_) zwlr_foreign_toplevel_manager_v1_destroy(manager_);
    if (registry_) wl_registry_destroy(registry_);
    wl_display_disconnect(display_);
  }

  // False when the compositor does not offer the protocol.
  bool Bind() {
    registry_ = wl_display_get_registry(display_);
    static const wl_registry_listener listener = {&WlrootsFocusWatcher::OnGlobal,
                                                  [](void*, wl_registry*, std::uint32_t) {}};
    wl_registry_add_listener(registry_, &listener, this);
    wl_display_roundtrip(display_);
    if (!manager_) return false;
    wl_display_roundtrip(display_);  // the toplevels there are now
    return true;
  }

  std::string_view Name() const override { return "wlroots"; }
  int Descriptor() const override { return wl_display_get_fd(display_); }

  void Dispatch() override {
    while (wl_display_prepare_read(display_) != 0) wl_display_dispatch_pending(display_);
    wl_display_flush(display_);
    wl_display_read_events(display_);  // the descriptor was readable: does not block
    wl_display_dispatch_pending(display_);
    wl_display_flush(display_);
  }

 private:
  static void OnGlobal(void* self, wl_registry* registry, std::uint32_t name, const char* interface,
                       std::uint32_t version) {
    auto* w = static_cast<WlrootsFocusWatcher*>(self);
    if (std::strcmp(interface, zwlr_foreign_toplevel_manager_v1_interface.name) != 0 || w->manager_)
      return;
    w->manager_ = static_cast<zwlr_foreign_toplevel_manager_v1*>(
        wl_registry_bind(registry, name, &zwlr_foreign_toplevel_manager_v1_interface,
                         std::min(version, kManagerVersion)));
    static const zwlr_foreign_toplevel_manager_v1_listener listener = {
        &WlrootsFocusWatcher::OnToplevel, [](void*, zwlr_foreign_toplevel_manager_v1*) {}};
    zwlr_foreign_toplevel_manager_v1_add_listener(w->manager_, &listener, w);
  }

  static void OnToplevel(void* self, zwlr_foreign_toplevel_manager_v1*,
                         zwlr_foreign_toplevel_handle_v1* handle) {
    auto* w = static_cast<WlrootsFocusWatcher*>(self);
    w->toplevels_[handle] = {};
    static const zwlr_foreign_toplevel_handle_v1_listener listener = {
        [](void*, zwlr_foreign_toplevel_handle_v1*, const char*) {},  // title
        &WlrootsFocusWatcher::OnAppId,
        [](void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {},
        [](void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {},
        &WlrootsFocusWatcher::OnState,
        &WlrootsFocusWatcher::OnDone,
        &WlrootsFocusWatcher::OnClosed,
        [](void*, zwlr_foreign_toplevel_handle_v1*, zwlr_foreign_toplevel_handle_v1*) {},
    };
    zwlr_foreign_toplevel_handle_v1_add_listener(handle, &listener, w);
  }

  static void OnAppId(void* self, zwlr_foreign_toplevel_handle_v1* h, const char* appId) {
    static_cast<WlrootsFocusWatcher*>(self)->toplevels_[h].appId = appId ? appId : "";
  }

  static void OnState(void* self, zwlr_foreign_toplevel_handle_v1* h, wl_array* states) {
    bool activated = false;
    const auto* s = static_cast<const std::uint32_t*>(states->data);
    for (std::size_t i = 0; i < states->size / sizeof(std::uint32_t); ++i)
      activated = activated || s[i] == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED;
    static_cast<WlrootsFocusWatcher*>(self)->toplevels_[h].pendingActivated = activated;
  }

  // The state of a toplevel is whole at `done`: report a newly active one.
  static void OnDone(void* self, zwlr_foreign_toplevel_handle_v1* h) {
    auto* w = static_cast<WlrootsFocusWatcher*>(self);
    Toplevel& t = w->toplevels_[h];
    t.activated = t.pendingActivated;
    if (!t.activated || t.appId.empty()) return;
    if (h == w->active_ && t.appId == w->activeAppId_) return;
    w->active_ = h;
    w->activeAppId_ = t.appId;
    w->report_({t.appId});
  }

  static void OnClosed(void* self, zwlr_foreign_toplevel_handle_v1* h) {
    auto* w = static_cast<WlrootsFocusWatcher*>(self);
    if (w->active_ == h) w->active_ = nullptr;
    w->toplevels_.erase(h);
    zwlr_foreign_toplevel_handle_v1_destroy(h);
  }

  wl_display* display_;
  FocusWatcher::Report report_;
  wl_registry* registry_ = nullptr;
  zwlr_foreign_toplevel_manager_v1* manager_ = nullptr;
  std::map<zwlr_foreign_toplevel_handle_v1*, Toplevel> toplevels_;
  zwlr_foreign_toplevel_handle_v1* active_ = nullptr;
  std::string activeAppId_;
};

}  // namespace

std::unique_ptr<FocusWatcher> CreateWlrootsFocusWatcher(const FocusWatcher::Report& report,
                                                        std::string* problem) {
  wl_display* d = wl_display_connect(nullptr);
  if (!d) {
    if (problem) *problem = "cannot connect to the Wayland display";
    return nullptr;
  }
  auto w = std::make_unique<WlrootsFocusWatcher>(d, report);
  if (!w->Bind()) {
    if (problem)
      *problem = "the compositor does not list its windows (zwlr_foreign_toplevel_manager_v1)";
    return nullptr;
  }
  return w;
}

}  // namespace corvaline::platform
