// The Wayland test's hands: a virtual pointer and a virtual keyboard on a
// wlroots compositor, driven by one command a line on standard input. Each
// command is answered with "ok" (or "error ...") once the compositor has
// taken it, so the driving script can wait for it.
//
//   move X Y        the pointer to X, Y of the output (pixels)
//   down | up       the left button
//   click X Y       move, press, release
//   key CODE        press and release the evdev key CODE (KEY_A is 30)
//   keydown CODE | keyup CODE
//   token           a new xdg-activation token, answered "token VALUE"
//                   (what a launcher hands the program it starts)
//
// The keyboard carries the standard evdev/us keymap compiled here, so every
// key arrives with its physical keycode. The compositor does not track the
// modifiers of a virtual keyboard itself; they are sent after every key.
#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

#include "virtual-keyboard-client-protocol.h"
#include "virtual-pointer-client-protocol.h"
#include "xdg-activation-v1-client-protocol.h"

namespace {

struct Globals {
  wl_seat* seat = nullptr;
  wl_output* output = nullptr;
  zwlr_virtual_pointer_manager_v1* pointers = nullptr;
  zwp_virtual_keyboard_manager_v1* keyboards = nullptr;
  xdg_activation_v1* activation = nullptr;  // optional: only the token command needs it
  int width = 0, height = 0;
};

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* iface, uint32_t) {
  auto* g = static_cast<Globals*>(data);
  auto bind = [&](const wl_interface* i) { return wl_registry_bind(registry, name, i, 1); };
  if (!std::strcmp(iface, wl_seat_interface.name) && !g->seat)
    g->seat = static_cast<wl_seat*>(bind(&wl_seat_interface));
  else if (!std::strcmp(iface, wl_output_interface.name) && !g->output)
    g->output = static_cast<wl_output*>(bind(&wl_output_interface));
  else if (!std::strcmp(iface, zwlr_virtual_pointer_manager_v1_interface.name))
    g->pointers = static_cast<zwlr_virtual_pointer_manager_v1*>(
        bind(&zwlr_virtual_pointer_manager_v1_interface));
  else if (!std::strcmp(iface, zwp_virtual_keyboard_manager_v1_interface.name))
    g->keyboards = static_cast<zwp_virtual_keyboard_manager_v1*>(
        bind(&zwp_virtual_keyboard_manager_v1_interface));
  else if (!std::strcmp(iface, xdg_activation_v1_interface.name))
    g->activation = static_cast<xdg_activation_v1*>(bind(&xdg_activation_v1_interface));
}
void OnGlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener kRegistry{OnGlobal, OnGlobalRemove};

void OnGeometry(void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*,
                const char*, int32_t) {}
void OnMode(void* data, wl_output*, uint32_t flags, int32_t w, int32_t h, int32_t) {
  auto* g = static_cast<Globals*>(data);
  if (flags & WL_OUTPUT_MODE_CURRENT) g->width = w, g->height = h;
}
void OnDone(void*, wl_output*) {}
void OnScale(void*, wl_output*, int32_t) {}
void OnText(void*, wl_output*, const char*) {}
const wl_output_listener kOutput{OnGeometry, OnMode, OnDone, OnScale, OnText, OnText};

uint32_t Now() {
  using namespace std::chrono;
  return static_cast<uint32_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

struct Keyboard {
  zwp_virtual_keyboard_v1* device = nullptr;
  xkb_state* state = nullptr;

  void Key(uint32_t code, bool down) {
    zwp_virtual_keyboard_v1_key(device, Now(), code,
                                down ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
    xkb_state_update_key(state, code + 8, down ? XKB_KEY_DOWN : XKB_KEY_UP);
    zwp_virtual_keyboard_v1_modifiers(
        device, xkb_state_serialize_mods(state, XKB_STATE_MODS_DEPRESSED),
        xkb_state_serialize_mods(state, XKB_STATE_MODS_LATCHED),
        xkb_state_serialize_mods(state, XKB_STATE_MODS_LOCKED),
        xkb_state_serialize_layout(state, XKB_STATE_LAYOUT_EFFECTIVE));
  }
};

// The evdev/us keymap, handed to the compositor in a memory file.
bool UploadKeymap(Keyboard& kb) {
  xkb_context* ctx = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
  const xkb_rule_names names{"evdev", "pc105", "us", "", ""};
  xkb_keymap* keymap = ctx ? xkb_keymap_new_from_names(ctx, &names, XKB_KEYMAP_COMPILE_NO_FLAGS)
                           : nullptr;
  if (!keymap) return false;
  char* text = xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
  const size_t size = std::strlen(text) + 1;
  const int fd = memfd_create("corvaline-keymap", MFD_CLOEXEC);
  const bool written = fd >= 0 && write(fd, text, size) == static_cast<ssize_t>(size);
  if (written) zwp_virtual_keyboard_v1_keymap(kb.device, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd, size);
  if (fd >= 0) close(fd);
  std::free(text);
  kb.state = xkb_state_new(keymap);
  xkb_keymap_unref(keymap);
  xkb_context_unref(ctx);
  return written && kb.state;
}

struct Pointer {
  zwlr_virtual_pointer_v1* device = nullptr;
  int width = 0, height = 0;

  void Move(int x, int y) {
    zwlr_virtual_pointer_v1_motion_absolute(device, Now(), x, y, width, height);
    zwlr_virtual_pointer_v1_frame(device);
  }
  void Button(bool down) {
    zwlr_virtual_pointer_v1_button(device, Now(), BTN_LEFT,
                                   down ? WL_POINTER_BUTTON_STATE_PRESSED
                                        : WL_POINTER_BUTTON_STATE_RELEASED);
    zwlr_virtual_pointer_v1_frame(device);
  }
};

void OnTokenDone(void* data, xdg_activation_token_v1*, const char* token) {
  *static_cast<std::string*>(data) = token;
}
const xdg_activation_token_v1_listener kTokenListener{OnTokenDone};

// A token as a launcher would get one for the program it starts.
std::string NewToken(wl_display* display, xdg_activation_v1* activation) {
  std::string value;
  xdg_activation_token_v1* token = xdg_activation_v1_get_activation_token(activation);
  xdg_activation_token_v1_add_listener(token, &kTokenListener, &value);
  xdg_activation_token_v1_commit(token);
  while (value.empty() && wl_display_roundtrip(display) >= 0) {
  }
  xdg_activation_token_v1_destroy(token);
  return value;
}

// Runs one command line; false when it is not understood.
bool Run(const std::string& line, Pointer& pointer, Keyboard& keyboard) {
  std::istringstream in(line);
  std::string word;
  in >> word;
  int a = 0, b = 0;
  if (word == "move" && in >> a >> b) pointer.Move(a, b);
  else if (word == "down") pointer.Button(true);
  else if (word == "up") pointer.Button(false);
  else if (word == "click" && in >> a >> b) {
    pointer.Move(a, b);
    pointer.Button(true);
    pointer.Button(false);
  } else if (word == "key" && in >> a) {
    keyboard.Key(a, true);
    keyboard.Key(a, false);
  } else if (word == "keydown" && in >> a) keyboard.Key(a, true);
  else if (word == "keyup" && in >> a) keyboard.Key(a, false);
  else return false;
  return true;
}

}  // namespace

int main() {
  wl_display* display = wl_display_connect(nullptr);
  if (!display) {
    std::fprintf(stderr, "wl-input: no Wayland display\n");
    return 1;
  }
  Globals g;
  wl_registry_add_listener(wl_display_get_registry(display), &kRegistry, &g);
  wl_display_roundtrip(display);
  if (!g.seat || !g.output || !g.pointers || !g.keyboards) {
    std::fprintf(stderr, "wl-input: the compositor lacks a seat, an output or virtual input\n");
    return 1;
  }
  wl_output_add_listener(g.output, &kOutput, &g);
  wl_display_roundtrip(display);

  Pointer pointer{zwlr_virtual_pointer_manager_v1_create_virtual_pointer(g.pointers, g.seat),
                  g.width, g.height};
  Keyboard keyboard{zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(g.keyboards, g.seat)};
  if (!UploadKeymap(keyboard)) {
    std::fprintf(stderr, "wl-input: cannot compile the evdev/us keymap\n");
    return 1;
  }
  if (wl_display_roundtrip(display) < 0) return 1;
  std::cout << "ready " << g.width << ' ' << g.height << std::endl;

  std::string line;
  while (std::getline(std::cin, line)) {
    if (line.empty()) continue;
    if (line == "token") {
      std::cout << (g.activation ? "token " + NewToken(display, g.activation)
                                 : std::string("error: no xdg_activation_v1"))
                << std::endl;
      continue;
    }
    const bool ok = Run(line, pointer, keyboard);
    if (wl_display_roundtrip(display) < 0) {
      std::cout << "error: the compositor closed the connection" << std::endl;
      return 1;
    }
    std::cout << (ok ? "ok" : "error: unknown command: " + line) << std::endl;
  }
  xkb_state_unref(keyboard.state);
  wl_display_disconnect(display);
  return 0;
}
