// The X11 focus watcher (also XWayland's windows): the window manager names
// the active window in the root window's _NET_ACTIVE_WINDOW (EWMH); every
// change of it comes as a PropertyNotify. xcb rather than Xlib, so a window
// that vanished between the notice and the reading is an error reply here,
// not a process-wide error handler's business.
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

#include "platform/focus_watch.h"

namespace corvaline::platform {
namespace {

xcb_atom_t Intern(xcb_connection_t* c, const char* name) {
  xcb_intern_atom_reply_t* r =
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
  const xcb_atom_t atom = r ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(r);
  return atom;
}

class X11FocusWatcher : public FocusWatcher {
 public:
  X11FocusWatcher(xcb_connection_t* c, xcb_window_t root, FocusWatcher::Report report)
      : c_(c), root_(root), report_(std::move(report)) {
    active_ = Intern(c_, "_NET_ACTIVE_WINDOW");
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(c_, root_, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c_);
    ReportActive();
    // A change after subscribing came in with that reply (see Dispatch).
    while (TakeEvents(xcb_poll_for_queued_event)) ReportActive();
  }
  ~X11FocusWatcher() override { xcb_disconnect(c_); }

  std::string_view Name() const override { return "x11"; }
  int Descriptor() const override { return xcb_get_file_descriptor(c_); }

  void Dispatch() override {
    // Reading a reply in ReportActive also reads the events that came before
    // it, and xcb keeps them in its queue while the descriptor stays quiet:
    // a window manager that sets the active window twice in a row (none,
    // then the new window) would otherwise leave the second change unseen
    // until some later event.
    for (bool changed = TakeEvents(xcb_poll_for_event); changed;
         changed = TakeEvents(xcb_poll_for_queued_event))
      ReportActive();
  }

 private:
  // Empties the events at hand; whether the active window changed among them.
  bool TakeEvents(xcb_generic_event_t* (*next)(xcb_connection_t*)) {
    bool changed = false;
    while (xcb_generic_event_t* e = next(c_)) {
      if ((e->response_type & 0x7F) == XCB_PROPERTY_NOTIFY &&
          reinterpret_cast<xcb_property_notify_event_t*>(e)->atom == active_)
        changed = true;
      std::free(e);
    }
    return changed;
  }

  xcb_window_t ActiveWindow() {
    xcb_get_property_reply_t* r = xcb_get_property_reply(
        c_, xcb_get_property(c_, 0, root_, active_, XCB_ATOM_WINDOW, 0, 1), nullptr);
    xcb_window_t w = XCB_WINDOW_NONE;
    if (r && r->format == 32 && xcb_get_property_value_length(r) >= 4)
      std::memcpy(&w, xcb_get_property_value(r), sizeof w);
    std::free(r);
    return w;
  }

  // WM_CLASS: the instance and the class, each ended by a NUL.
  std::vector<std::string> ClassOf(xcb_window_t w) {
    std::vector<std::string> names;
    xcb_get_property_reply_t* r = xcb_get_property_reply(
        c_, xcb_get_property(c_, 0, w, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 256), nullptr);
    if (r && r->format == 8) {
      const char* p = static_cast<const char*>(xcb_get_property_value(r));
      const int n = xcb_get_property_value_length(r);
      for (int start = 0, i = 0; i <= n; ++i) {
        if (i == n || p[i] == '\0') {
          if (i > start) names.emplace_back(p + start, i - start);
          start = i + 1;
        }
      }
    }
    std::free(r);
    return names;
  }

  void ReportActive() {
    const xcb_window_t w = ActiveWindow();
    if (w == last_) return;  // window managers set it again for the same window
    last_ = w;
    if (w == XCB_WINDOW_NONE) return;  // the desktop itself: no application
    std::vector<std::string> names = ClassOf(w);
    if (!names.empty()) report_(names);
  }

  xcb_connection_t* c_;
  xcb_window_t root_;
  FocusWatcher::Report report_;
  xcb_atom_t active_ = XCB_ATOM_NONE;
  xcb_window_t last_ = XCB_WINDOW_NONE;
};

}  // namespace

std::unique_ptr<FocusWatcher> CreateX11FocusWatcher(const FocusWatcher::Report& report,
                                                    std::string* problem) {
  int screenNumber = 0;
  xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
  if (xcb_connection_has_error(c)) {
    xcb_disconnect(c);
    if (problem) *problem = "cannot open the X display";
    return nullptr;
  }
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
  for (int i = 0; i < screenNumber && it.rem; ++i) xcb_screen_next(&it);
  if (!it.rem) {
    xcb_disconnect(c);
    if (problem) *problem = "the X display has no such screen";
    return nullptr;
  }
  return std::make_unique<X11FocusWatcher>(c, it.data->root, report);
}

}  // namespace corvaline::platform
