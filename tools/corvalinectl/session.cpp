#include "session.h"

#include <ostream>
#include <string_view>

#include "core/device/discovery.h"
#include "core/device/handshake.h"
#include "core/device/protocol.h"
#include "core/device/talk_lock.h"
#include "platform/hid.h"
#include "platform/pauses.h"
#include "sim/in_process_backend.h"
#include "sim/virtual_mouse.h"

namespace corvaline::cli {
namespace {

// Lists only the collections of one device path: the path itself, or the
// collections of a hidraw node given without its "#n" suffix.
class OnePathBackend : public HidBackend {
 public:
  OnePathBackend(std::unique_ptr<HidBackend> inner, std::string path)
      : inner_(std::move(inner)), path_(std::move(path)) {}

  std::vector<HidCollectionInfo> Enumerate() override {
    std::vector<HidCollectionInfo> kept;
    for (HidCollectionInfo& c : inner_->Enumerate()) {
      if (c.path == path_ || c.path.rfind(path_ + "#", 0) == 0) kept.push_back(std::move(c));
    }
    return kept;
  }
  HidOpenResult Open(const HidCollectionInfo& c, HidOpenMode mode) override { return inner_->Open(c, mode); }
  bool StartDeviceMonitor() override { return inner_->StartDeviceMonitor(); }
  int NotificationHandle() const override { return inner_->NotificationHandle(); }
  std::vector<HidDeviceChange> TakeDeviceChanges() override { return inner_->TakeDeviceChanges(); }

 private:
  std::unique_ptr<HidBackend> inner_;
  std::string path_;
};

}  // namespace

std::unique_ptr<DeviceSession> OpenSession(const GlobalOptions& g, std::ostream& err) {
  auto session = std::make_unique<DeviceSession>();
  session->err = &err;
  if (g.simulate) {
    session->virtualMouse = std::make_shared<sim::VirtualMouse>();
    if (g.sensorType >= 0)
      session->virtualMouse->SetSensorType(static_cast<std::uint8_t>(g.sensorType));
    session->backend = sim::CreateInProcessHidBackend(session->virtualMouse);
  } else {
    session->backend = platform::CreateSystemHidBackend();
  }
  if (!g.devicePath.empty())
    session->backend = std::make_unique<OnePathBackend>(std::move(session->backend), g.devicePath);
  DeviceLink& link = session->link;
  link.backend = session->backend.get();
  link.sleeper = &platform::SystemSleeper();
  // An in-process virtual mouse is this command's alone.
  link.talkLockShared = !g.simulate;
  if (g.trace) {
    link.traceOn = true;
    link.trace = [&err](std::string_view line) { err << line << '\n' << std::flush; };
  }
  return session;
}

std::vector<HidCollectionInfo> MouseCollections(HidBackend& backend) {
  std::vector<HidCollectionInfo> mine;
  for (HidCollectionInfo& c : backend.Enumerate()) {
    if (c.vendorId == kMouseVendorId && c.productId == kMouseProductId) mine.push_back(std::move(c));
  }
  return mine;
}

namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.remove_suffix(1);
  return text;
}

}  // namespace

bool SayProblems(const DeviceSession& session, const LinkOutcome& outcome) {
  for (std::string_view text : outcome.problems) {
    if (session.err) *session.err << "corvalinectl: " << Trimmed(text) << '\n';
  }
  return outcome.ready;
}

void ConnectMouse(DeviceSession& session) {
  DeviceLink& link = session.link;
  const LinkOutcome found = DeviceDiscovery(link);
  if (!found.ready) {
    SetDeviceReady(link, false);
    // Why the mouse cannot be used is the failure's one line, not said
    // before it as well.
    std::string why;
    for (std::string_view text : found.problems) why += (why.empty() ? "" : " ") + std::string(Trimmed(text));
    for (const HidCollectionInfo& c : MouseCollections(*session.backend)) {
      if (why.empty() && !c.problem.empty()) why = Trimmed(c.problem);
    }
    if (!why.empty()) throw Failure("the mouse cannot be used: " + why);
    throw Failure("no CORVALINE mouse found (04d9:a09f); 'corvalinectl list' says what to check");
  }
  SayProblems(session, found);
  if (link.talkLockShared) {
    auto hold = HoldTalk(link);
    if (!hold)
      throw Failure("the mouse is busy: another program (the CORVALINE program or corvalinectl) "
                    "kept it for " + std::to_string(link.talkLockWait.count() / 1000) + " s; try again");
    session.talk = std::move(*hold);
  }
  if (!SayProblems(session, Handshake(link))) throw Failure("the mouse refused the handshake");
}

}  // namespace corvaline::cli
