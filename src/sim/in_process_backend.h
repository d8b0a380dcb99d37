// A HidBackend whose only device is a VirtualMouse in the same process: used
// by the tests and by the command-line tool's --simulate.
#pragma once

#include <memory>

#include "core/device/hid_port.h"
#include "sim/virtual_mouse.h"

namespace corvaline::sim {

struct InProcessOptions {
  // List the feature collection before the event collection, as some systems
  // do; a discovery walk that stops at the feature collection then misses the
  // event collection.
  bool featureFirst = false;
};

// Paths of the listed collections.
inline constexpr const char* kInProcessFeaturePath = "virtual-mouse#feature";
inline constexpr const char* kInProcessEventsPath = "virtual-mouse#events";

std::unique_ptr<HidBackend> CreateInProcessHidBackend(std::shared_ptr<VirtualMouse> mouse,
                                                      InProcessOptions options = {});

}  // namespace corvaline::sim
