// Finding the mouse's two collections among the system's HID collections, and
// following plug-ins and unplugs.
#pragma once

#include <functional>

#include "core/device/device_link.h"
#include "core/device/handshake.h"

namespace corvaline {

// Walks the backend's collections: opens the mouse's input collection (events)
// when it comes before the feature collection, then the feature collection
// (commands), and stops there. Handles of an earlier run are closed first.
// A collection whose report lengths the program cannot handle is passed over,
// its reason a problem to tell (each once while the mouse stays plugged in).
// Ready when the feature collection is open (deviceReady is then set; the
// handshake decides it).
LinkOutcome DeviceDiscovery(DeviceLink& link);

// What the front end does around a device change.
struct DeviceChangeHooks {
  // The mouse is gone or unusable: the main window hides.
  std::function<void()> hideMainWindow;
  // The mouse became ready after a plug-in: the front end resumes the report
  // reader unless its Basic page has already been shown in this run.
  std::function<void()> mouseArrivedReady;
};

// One arrival or removal notification. Acts only on interface names carrying
// the mouse's identifiers in one of the two spellings the system uses. Ready
// as deviceReady afterwards, with the problems found on the way.
LinkOutcome HandleDeviceChange(DeviceLink& link, const HidDeviceChange& change,
                        const DeviceChangeHooks& hooks);

// Start-up: discovery and, with the mouse found, the handshake; otherwise
// notification 15 and deviceReady cleared. Ready as deviceReady.
LinkOutcome ConnectAtStartup(DeviceLink& link);

}  // namespace corvaline
