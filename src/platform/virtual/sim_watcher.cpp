#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>

#include "platform/virtual/sim_client.h"
#include "platform/virtual/sim_wire.h"

namespace corvaline::platform {

namespace wire = corvaline::simwire;

namespace {

// The interface name of one collection of the mouse behind `socket`, in the
// Windows form so the device-change filter treats it like a real interface.
std::string InterfaceName(const std::string& socket, std::uint8_t collection) {
  const bool feature = collection == wire::kFeatureCollection;
  return std::string("\\\\?\\HID#VID_04D9&PID_A09F&Col0") + (feature ? "2" : "1") + "#" +
         std::string(wire::kPathPrefix) + socket +
         std::string(feature ? wire::kFeatureSuffix : wire::kEventsSuffix);
}

}  // namespace

SimDeviceWatcher::SimDeviceWatcher() = default;

SimDeviceWatcher::~SimDeviceWatcher() {
  if (inotifyFd_ >= 0) ::close(inotifyFd_);
}

bool SimDeviceWatcher::Start() {
  if (inotifyFd_ >= 0) return true;
  dir_ = wire::RuntimeDir();
  if (!wire::EnsureRuntimeDir(dir_)) return false;
  const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd < 0) return false;
  // The sim binds under a hidden name and renames the socket into place once
  // it listens; a socket created in place counts too.
  watch_ = ::inotify_add_watch(fd, dir_.c_str(), IN_CREATE | IN_MOVED_TO | IN_DELETE | IN_MOVED_FROM);
  if (watch_ < 0) {
    ::close(fd);
    return false;
  }
  inotifyFd_ = fd;
  return true;
}

int SimDeviceWatcher::fd() const { return inotifyFd_; }

std::vector<HidDeviceChange> SimDeviceWatcher::TakeChanges() {
  std::vector<HidDeviceChange> changes;
  if (inotifyFd_ < 0) return changes;
  alignas(inotify_event) char buf[4096];
  for (;;) {
    const ssize_t n = ::read(inotifyFd_, buf, sizeof buf);
    if (n <= 0) break;  // EAGAIN: drained
    for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= n;) {
      const auto* ev = reinterpret_cast<const inotify_event*>(buf + at);
      at += static_cast<ssize_t>(sizeof(inotify_event) + ev->len);
      if (ev->len == 0 || !wire::IsSocketName(ev->name)) continue;
      const bool arrival = (ev->mask & (IN_CREATE | IN_MOVED_TO)) != 0;
      const std::string socket = dir_ + "/" + ev->name;
      // One notification per collection, like the interfaces of a real mouse.
      for (std::uint8_t collection : {wire::kEventsCollection, wire::kFeatureCollection}) {
        changes.push_back({arrival ? HidDeviceChange::Kind::Arrival : HidDeviceChange::Kind::Removal,
                           InterfaceName(socket, collection)});
      }
    }
  }
  return changes;
}

}  // namespace corvaline::platform
