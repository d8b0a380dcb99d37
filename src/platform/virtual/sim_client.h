// Client side of corvaline-sim's virtual mice. Every running corvaline-sim
// process owns one Unix domain socket in the user's runtime folder
// ($XDG_RUNTIME_DIR/corvaline-sim/, or /tmp/corvaline-sim-<uid>/ without one);
// the Linux HID backend lists the mice behind those sockets beside the hidraw
// devices, and opens, reads and writes them through the functions below.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/device/hid_port.h"

namespace corvaline::platform {

// The folder that holds the sockets of running corvaline-sim processes. It is
// not created here; an empty string when no usable folder can be named.
std::string SimRuntimeDir();

// The two collections (vendor feature, vendor events) of every virtual mouse
// that answers on its socket, sockets in name order. Paths look like
// "sim:/run/user/1000/corvaline-sim/mouse-1234.sock#feature" (or "#events").
std::vector<HidCollectionInfo> EnumerateSimCollections();

// True for paths produced by EnumerateSimCollections().
bool IsSimPath(std::string_view path);

// Opens one listed collection, or says why not. Events mode subscribes to
// the mouse's input reports.
HidOpenResult OpenSimCollection(const HidCollectionInfo& collection, HidOpenMode mode);

// Watches the runtime folder for virtual mice arriving and going, without a
// thread of its own: poll fd() for readability, then call TakeChanges(). One
// change per collection, like a real plug-in; interface names carry
// "VID_04D9&PID_A09F" in the Windows form.
class SimDeviceWatcher {
 public:
  SimDeviceWatcher();
  ~SimDeviceWatcher();
  SimDeviceWatcher(const SimDeviceWatcher&) = delete;
  SimDeviceWatcher& operator=(const SimDeviceWatcher&) = delete;

  // Creates the runtime folder when missing and starts watching it. False
  // when the folder cannot be watched.
  bool Start();
  // Readable when changes may be pending; -1 before Start().
  int fd() const;
  // Drains the notifications gathered so far (never blocks).
  std::vector<HidDeviceChange> TakeChanges();

 private:
  int inotifyFd_ = -1;
  int watch_ = -1;
  std::string dir_;
};

}  // namespace corvaline::platform
