#include "core/device/discovery.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/device/commands.h"
#include "core/device/handshake.h"

namespace corvaline {

namespace {

bool IsMouse(const HidCollectionInfo& c) {
  return c.vendorId == kMouseVendorId && c.productId == kMouseProductId;
}

bool IsEventCollection(const HidCollectionInfo& c) {
  return c.usagePage == kEventUsagePage && c.usage == kEventUsage && c.inputReportLength != 0;
}

bool IsCommandCollection(const HidCollectionInfo& c) {
  return c.usagePage == kCommandUsagePage && c.usage == kCommandUsage &&
         c.featureReportLength != 0;
}

std::string TooLong(const char* what, unsigned length, std::size_t limit) {
  return "The mouse's " + std::string(what) + " reports are " + std::to_string(length) +
         " bytes long; this program handles at most " + std::to_string(limit) +
         ". That part of the mouse is not used.";
}

// Empty when the program can use the collection, otherwise why not.
std::string EventCollectionProblem(const HidCollectionInfo& c) {
  if (c.inputReportLength > kEventReportBufferSize)
    return TooLong("event", c.inputReportLength, kEventReportBufferSize);
  return {};
}

std::string CommandCollectionProblem(const HidCollectionInfo& c) {
  if (c.featureReportLength > kFeatureReportBufferSize)
    return TooLong("feature", c.featureReportLength, kFeatureReportBufferSize);
  if (c.featureReportLength < kMinFeatureReportLength)
    return "The mouse's feature reports are " + std::to_string(c.featureReportLength) +
           " bytes long, too short for a command. That part of the mouse is not used.";
  if (c.inputReportLength > kDataReportBufferSize)
    return TooLong("data input", c.inputReportLength, kDataReportBufferSize);
  if (c.outputReportLength > kDataReportBufferSize)
    return TooLong("data output", c.outputReportLength, kDataReportBufferSize);
  return {};
}

// Adds the problem to those to tell unless it was told since the plug-in.
void Tell(DeviceLink& link, LinkOutcome& outcome, const std::string& text) {
  for (const std::string& told : link.problemsTold) {
    if (told == text) return;
  }
  link.problemsTold.push_back(text);
  outcome.problems.push_back(text);
}

}  // namespace

LinkOutcome DeviceDiscovery(DeviceLink& link) {
  LinkOutcome outcome;
  CloseDeviceHandles(link);
  if (!link.backend) return outcome;
  const std::vector<HidCollectionInfo> collections = link.backend->Enumerate();
  // The mouse is gone: the next plug-in may tell its problems again.
  if (std::none_of(collections.begin(), collections.end(), IsMouse)) link.problemsTold.clear();
  for (const HidCollectionInfo& c : collections) {
    link.devicePath = c.path;
    // Other devices are listed without being opened, so one we may not touch
    // does not hide the mouse behind it.
    if (!IsMouse(c)) continue;
    if (!c.problem.empty()) {
      Tell(link, outcome, c.problem);
      return outcome;
    }
    if (IsEventCollection(c)) {
      if (std::string why = EventCollectionProblem(c); !why.empty()) {
        Tell(link, outcome, why);
        continue;
      }
      HidOpenResult events = link.backend->Open(c, HidOpenMode::Events);
      if (!events) return outcome;
      SetEventDevice(link, std::move(*events), c.inputReportLength);
      continue;
    }
    if (IsCommandCollection(c)) {
      if (std::string why = CommandCollectionProblem(c); !why.empty()) {
        Tell(link, outcome, why);
        continue;
      }
      SetDeviceReady(link, true);
      HidOpenResult commands = link.backend->Open(c, HidOpenMode::Commands);
      link.commandHandle = commands ? std::move(*commands) : nullptr;
      if (!link.commandHandle) return outcome;
      link.featureReportLength = c.featureReportLength;
      link.inputReportLength = c.inputReportLength;
      link.outputReportLength = c.outputReportLength;
      outcome.ready = true;
      return outcome;
    }
  }
  return outcome;
}

namespace {

bool NamesTheMouse(const std::string& name) {
  return name.find("Vid_04d9&Pid_a09f") != std::string::npos ||
         name.find("VID_04D9&PID_A09F") != std::string::npos;
}

void MouseLost(DeviceLink& link, const DeviceChangeHooks& hooks) {
  Notify(link, kNotifyMouseNotUsable);
  if (hooks.hideMainWindow) hooks.hideMainWindow();
  SetDeviceReady(link, false);
}

}  // namespace

LinkOutcome HandleDeviceChange(DeviceLink& link, const HidDeviceChange& change,
                               const DeviceChangeHooks& hooks) {
  if (!NamesTheMouse(change.interfaceName)) return {link.deviceReady, {}};
  LinkOutcome outcome = DeviceDiscovery(link);
  if (!outcome) {
    MouseLost(link, hooks);
    return outcome;
  }
  LinkOutcome shaken = Handshake(link);
  outcome.ready = shaken.ready;
  outcome.problems.insert(outcome.problems.end(), shaken.problems.begin(), shaken.problems.end());
  // Another collection of the mouse went away while the mouse stays: the
  // handshake is all there is to redo.
  if (change.kind == HidDeviceChange::Kind::Removal || !link.deviceReady) return outcome;
  RefreshSensorInfo(link);
  if (hooks.mouseArrivedReady) hooks.mouseArrivedReady();
  outcome.ready = link.deviceReady;
  return outcome;
}

LinkOutcome ConnectAtStartup(DeviceLink& link) {
  LinkOutcome outcome = DeviceDiscovery(link);
  if (outcome) {
    LinkOutcome shaken = Handshake(link);
    shaken.problems.insert(shaken.problems.begin(), outcome.problems.begin(), outcome.problems.end());
    return shaken;
  }
  Notify(link, kNotifyMouseNotUsable);
  SetDeviceReady(link, false);
  return outcome;
}

}  // namespace corvaline
