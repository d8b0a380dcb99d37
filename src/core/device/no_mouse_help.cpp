#include "core/device/no_mouse_help.h"

namespace corvaline {

std::string NoMouseHelp(PlatformKind platform) {
  if (platform == PlatformKind::Windows) {
    // Windows lets every user open the mouse's collections: no rule to
    // install, but another program may hold them.
    return "  - Is it plugged in? The mouse is USB 04d9:a09f: Device Manager lists it under\n"
           "    'Human Interface Devices' (hardware ID VID_04D9&PID_A09F).\n"
           "  - Windows needs no driver or rule for it. When a collection above says it\n"
           "    cannot be opened, another program may hold it for itself: close that\n"
           "    program, or plug the mouse in again.\n"
           "  - No mouse at hand? 'corvalinectl --simulate list' uses a virtual one in this\n"
           "    process, and 'corvaline --simulate' opens the window with one.\n";
  }
  return "  - Is it plugged in? The mouse is USB 04d9:a09f ('lsusb' shows it).\n"
         "  - Without the udev rule only root may open the mouse's /dev/hidraw nodes: the\n"
         "    package installs /usr/lib/udev/rules.d/70-corvaline.rules; after installing\n"
         "    it, run 'sudo udevadm control --reload && sudo udevadm trigger' or plug the\n"
         "    mouse in again. 'ls -l /dev/hidraw*' shows who may open them.\n"
         "  - No mouse at hand? 'corvalinectl --simulate list' uses a virtual one in this\n"
         "    process, and 'corvaline-sim' starts one that every program sees.\n";
}

}  // namespace corvaline
