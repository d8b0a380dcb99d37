// Which desktop keeps the pointer settings: picked once, at start.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/linux/pointer_backends.h"

namespace corvaline::platform {

namespace {

// XDG_CURRENT_DESKTOP is a colon-separated list of registered names, e.g.
// "ubuntu:GNOME" or "GNOME-Flashback:GNOME"; whole names count.
template <std::size_t N>
bool NamesOneOf(std::string_view currentDesktop, const std::string_view (&names)[N]) {
  std::size_t start = 0;
  while (start <= currentDesktop.size()) {
    const std::size_t end = std::min(currentDesktop.find(':', start), currentDesktop.size());
    const std::string_view name = currentDesktop.substr(start, end - start);
    for (std::string_view wanted : names) {
      if (name == wanted) return true;
    }
    start = end + 1;
  }
  return false;
}

}  // namespace

bool IsGnomeLikeDesktop(std::string_view currentDesktop) {
  constexpr std::string_view kReaders[] = {"GNOME", "GNOME-Classic", "GNOME-Flashback",
                                           "Unity", "Budgie", "Pantheon"};
  return NamesOneOf(currentDesktop, kReaders);
}

bool IsKdeDesktop(std::string_view currentDesktop) {
  constexpr std::string_view kKde[] = {"KDE"};
  return NamesOneOf(currentDesktop, kKde);
}

PointerBackendKind ChoosePointerBackend(const DesktopFacts& facts) {
  if (facts.gnomeMouseSchema && IsGnomeLikeDesktop(facts.currentDesktop))
    return PointerBackendKind::GSettings;
  if (facts.kwinInputDevices && IsKdeDesktop(facts.currentDesktop)) return PointerBackendKind::KWin;
  if (facts.x11Display) return PointerBackendKind::X11;
  return PointerBackendKind::NoBackend;
}

std::unique_ptr<PointerBackend> CreatePointerBackend() {
  const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
  DesktopFacts facts;
  facts.currentDesktop = desktop ? desktop : "";
  facts.gnomeMouseSchema = IsGnomeLikeDesktop(facts.currentDesktop) && GnomeMouseSchemaInstalled();
  if (ChoosePointerBackend(facts) == PointerBackendKind::GSettings) {
    if (auto gsettings = CreateGSettingsPointerBackend()) return gsettings;
  }
  // The session bus is asked only on Plasma; KWin answers there on Wayland.
  std::unique_ptr<PointerBackend> kwin;
  if (IsKdeDesktop(facts.currentDesktop)) kwin = CreateKWinPointerBackend(UserKdeGlobals());
  facts.kwinInputDevices = kwin != nullptr;
  if (ChoosePointerBackend(facts) == PointerBackendKind::KWin) return kwin;
  // Under Wayland the X server is only XWayland, whose devices move no
  // pointer of the desktop.
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if (!(wayland && *wayland)) {
    if (auto x11 = CreateX11PointerBackend(nullptr)) return x11;
  }
  return CreateNoPointerBackend();
}

}  // namespace corvaline::platform
