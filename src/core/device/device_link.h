// The state of the link to the mouse: the backend, the two opened collections
// with their report lengths, the link flags, the records the mouse keeps, and
// the hooks through which the link reports (device notifications, traffic
// trace) and waits (pauses). The program has one process-wide instance; tests
// make their own.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "core/device/hid_port.h"
#include "core/device/protocol.h"

namespace corvaline {

// The pauses the mouse needs between transfers go through this, so tests run
// without waiting and can count them.
class Sleeper {
 public:
  virtual ~Sleeper() = default;
  // Waits at least `ms` milliseconds: never less, or the mouse misses data.
  virtual void SleepMs(int ms) = 0;
  // Bracket a run of pauses (a whole Apply holds 90 of them): a sleeper may
  // sharpen the system's timer for that long, so the run is not stretched by
  // the oversleep of every single pause.
  virtual void BeginPauses() {}
  virtual void EndPauses() {}
};

// Begin/EndPauses of the link's sleeper for the lifetime of the guard.
class PauseRun {
 public:
  explicit PauseRun(Sleeper* sleeper) : sleeper_(sleeper) {
    if (sleeper_) sleeper_->BeginPauses();
  }
  ~PauseRun() {
    if (sleeper_) sleeper_->EndPauses();
  }
  PauseRun(const PauseRun&) = delete;
  PauseRun& operator=(const PauseRun&) = delete;

 private:
  Sleeper* sleeper_;
};

// Sleeps for real; the default of every link.
Sleeper& RealSleeper();

// Device notifications: 14 mouse ready, 15 mouse not found or not usable
// (both from the caller's thread), value 0.
using DeviceNotifyFn = std::function<void(int code, int value)>;
// One line of the traffic trace, without a line end.
using TraceFn = std::function<void(std::string_view line)>;

// What the mouse holds, as last read from it or sent to it.
struct DeviceRecords {
  SensorInfo sensorInfo{};
  EffectRecord effect{};
  LedTimingRecord ledTiming[2]{};
  LedColourTable colourTables[2]{};
  DpiTable dpiTable{};
  std::uint8_t keyMatrix[kKeyMatrixCount][kKeyMatrixBytes]{};
  MacroStaging macroStaging{};
};

// The input collection, shared with the report reader's thread. Whoever
// replaces the device or changes deviceReady wakes the reader through it.
struct EventChannel {
  std::mutex mutex;
  std::condition_variable changed;
  std::shared_ptr<HidDevice> device;  // the opened input collection, or none
  std::uint16_t reportLength = 0;     // its input report length
  std::uint64_t generation = 0;       // bumped on every replacement
};

struct DeviceLink {
  HidBackend* backend = nullptr;

  std::string devicePath;  // path of the collection examined last
  std::unique_ptr<HidDevice> commandHandle;
  std::uint16_t featureReportLength = 0;
  std::uint16_t inputReportLength = 0;
  std::uint16_t outputReportLength = 0;
  EventChannel events;

  // Read by the report reader's thread, hence atomic; set through
  // SetDeviceReady() so the reader wakes up.
  std::atomic<bool> deviceReady{false};
  bool scramblingOn = false;
  ScrambleKey handshakeKey{};  // all zero until the first handshake
  std::uint8_t sensorType = 0;
  DeviceRecords records;

  // Every transfer that failed or brought an unusable answer.
  unsigned failedTransfers = 0;

  // Problems of the mouse's collections already told since it was plugged
  // in: one plug-in brings a notification per collection, and the user
  // should read each reason once, not once per notification.
  std::vector<std::string> problemsTold;

  // True when other programs can reach this mouse too: the handshake and
  // Apply then hold its lock (HoldTalk), so one program talks at a time.
  bool talkLockShared = false;
  std::chrono::milliseconds talkLockWait{10000};  // then the exchange is given up

  bool traceOn = false;
  TraceFn trace;
  DeviceNotifyFn listener;
  Sleeper* sleeper = &RealSleeper();
};

// The process-wide link.
DeviceLink& Link();

void SetDeviceReady(DeviceLink& link, bool ready);
// Installs the opened input collection (or none) and wakes the reader; a read
// pending on the previous one is cancelled.
void SetEventDevice(DeviceLink& link, std::unique_ptr<HidDevice> device, std::uint16_t length);
// Closes both collections (the reader lets go of its one).
void CloseDeviceHandles(DeviceLink& link);

// Helpers of the link's own operations.
void Notify(DeviceLink& link, int code, int value = 0);
void Trace(DeviceLink& link, std::string_view line);
// A pause the mouse needs; traced as "SLEEP <ms>".
void Pause(DeviceLink& link, int ms);

}  // namespace corvaline
