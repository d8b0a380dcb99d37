// Opening the mouse for one command: the system's devices, one device path,
// or an in-process virtual mouse; the traffic trace on stderr.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "cli.h"
#include "core/device/device_link.h"
#include "core/device/handshake.h"
#include "core/device/hid_port.h"
#include "core/settings/file_lock.h"

namespace corvaline::sim {
class VirtualMouse;
}

namespace corvaline::cli {

struct DeviceSession {
  std::shared_ptr<sim::VirtualMouse> virtualMouse;  // with --simulate
  std::unique_ptr<HidBackend> backend;
  DeviceLink link;
  FileLock talk;  // the mouse's lock, from the handshake to the command's end
  std::ostream* err = nullptr;  // where a part of the mouse that cannot be used is said
};

// The backend the options ask for, with trace and pauses wired to the link.
std::unique_ptr<DeviceSession> OpenSession(const GlobalOptions& g, std::ostream& err);

// Discovery and handshake. Throws Failure with the reason when the mouse is
// missing, unusable (with the system's explanation, e.g. no permission),
// kept busy by another program past a bounded wait, or refuses the handshake.
void ConnectMouse(DeviceSession& session);

// Says each problem on the session's stderr; returns whether the step was ready.
bool SayProblems(const DeviceSession& session, const LinkOutcome& outcome);

// Collections of the mouse (vendor and product match) among those listed.
std::vector<HidCollectionInfo> MouseCollections(HidBackend& backend);

}  // namespace corvaline::cli
