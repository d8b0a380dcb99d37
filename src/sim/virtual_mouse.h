// A virtual CORVALINE mouse: the firmware side of the configuration protocol,
// driven by the same report bytes a real mouse receives. It keeps every record
// it is sent, answers the read commands from them, raises event reports when
// its buttons are "pressed", can be unplugged and plugged again, and can be
// told to misbehave so the device link's error paths can be exercised.
//
// Thread-safe: the program's reader thread waits for events while the GUI
// thread sends commands.
#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

#include "core/device/hid_port.h"
#include "core/device/protocol.h"

namespace corvaline::sim {

// Report lengths as Windows counts them (report-ID byte included): the frame
// of one CommandBlock, a 32-byte data report, and an event report (ID 6, code,
// an unused byte, value, and four padding bytes).
inline constexpr std::uint16_t kFeatureReportLength = kMinFeatureReportLength;  // 9
inline constexpr std::uint16_t kDataReportLength = kMinDataReportLength;        // 33
inline constexpr std::uint16_t kEventReportLength = 8;
static_assert(kFeatureReportLength <= kFeatureReportBufferSize);
static_assert(kDataReportLength <= kDataReportBufferSize);
static_assert(kEventReportLength <= kEventReportBufferSize);
static_assert(kEventReportLength >= sizeof(EventReportHead));

enum class Collection : std::uint8_t { Feature = 0, Events = 1 };

struct CollectionEntry {
  Collection which;
  HidCollectionInfo info;  // path left empty: each transport names its own
};

// The mouse's two vendor collections in the order the system lists them: the
// event collection first, so a discovery walk opens both.
std::vector<CollectionEntry> MouseCollections();

enum class Misbehaviour {
  None,
  NoAnswer,        // every feature-report read fails, as if the mouse timed out
  PlainEcho,       // an old firmware: speaks plain blocks and echoes the plain handshake
  WrongKey,        // answers scrambled with a key other than the program's
  OversizeLength,  // read responses announce 255 data bytes and send eight data reports
  BadIndex,        // read responses name a table or macro that does not exist
};

enum class Transfer { Ok, Failed, Gone };

// Everything the firmware keeps. Survives unplugging, like the mouse's flash.
struct MouseState {
  SensorInfo sensorInfo{};
  std::uint8_t reportRateCode = 1;
  EffectRecord effect{};
  std::array<LedTimingRecord, 2> ledTiming{};
  std::array<LedColourTable, 2> colourTables{};
  std::uint8_t dpiStageCount = 0;
  DpiTable dpiTable{};
  std::array<std::array<std::uint8_t, kKeyMatrixBytes>, kKeyMatrixCount> keyMatrix{};
  MacroStaging macros{};
  std::uint8_t dpiStage = 1;  // active stage, changed by the mouse's own button
  std::uint8_t keyGroup = 1;  // 1 Mode A, 2 Mode B
  int handshakesAccepted = 0;
  int handshakesRefused = 0;
};

// The event reports of one opened handle of the event collection; like a
// system's per-handle input buffer, it holds what arrived after it was opened.
class EventChannel {
 public:
  // Blocks until a report arrives, the mouse goes away or Cancel() is called.
  // A cancel issued while no read waits is kept for the next read, so a
  // reader that is just about to block is still woken.
  HidReadResult Read(std::span<std::uint8_t> buffer, std::size_t& got);
  void Cancel();
  // Takes one report without waiting; false when none is queued. `gone`
  // tells whether the mouse has gone away.
  bool TryRead(std::span<std::uint8_t> buffer, std::size_t& got, bool& gone);
  // Called after each report queued, from the thread that raised it.
  void SetWakeCallback(std::function<void()> wake);

 private:
  friend class VirtualMouse;
  void Push(const std::array<std::uint8_t, kEventReportLength>& report);
  void MarkGone();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::array<std::uint8_t, kEventReportLength>> reports_;
  bool cancelled_ = false;
  bool gone_ = false;
  std::function<void()> wake_callback_;
};

class VirtualMouse {
 public:
  VirtualMouse();
  VirtualMouse(const VirtualMouse&) = delete;
  VirtualMouse& operator=(const VirtualMouse&) = delete;

  // --- the USB side: plugging
  void Unplug();
  void Plug();
  bool IsPlugged() const;
  // Changes with every plug-in; a handle opened under an older value is gone.
  std::uint64_t Generation() const;
  // Called (outside the mouse's lock) with true on plug-in, false on removal.
  int AddPlugListener(std::function<void(bool plugged)> listener);
  void RemovePlugListener(int id);

  // --- the feature collection (transfers of a handle opened at `generation`)
  Transfer SetFeature(std::uint64_t generation, std::span<const std::uint8_t> report);
  Transfer GetFeature(std::uint64_t generation, std::span<std::uint8_t> report);
  Transfer WriteOutput(std::uint64_t generation, std::span<const std::uint8_t> report);
  // The data reports of a bulk read; Failed when none is pending (a real read
  // would time out).
  Transfer ReadData(std::uint64_t generation, std::span<std::uint8_t> buffer, std::size_t& got);

  // --- the event collection
  // nullptr while unplugged.
  std::shared_ptr<EventChannel> OpenEvents();
  // The mouse's own buttons: code 5 report rate, 7 DPI stage, 8 key group,
  // 9 macro key. The mouse's state follows where it has one. False while
  // unplugged.
  bool RaiseEvent(std::uint8_t code, std::uint8_t value);
  // Any input report, for testing how readers treat unknown ones.
  bool SendRawEventReport(std::span<const std::uint8_t> report);

  // --- test controls
  void SetMisbehaviour(Misbehaviour m);
  // After `count` more transfers on the feature collection the mouse drops
  // off the bus (the next transfer finds it gone). A negative count disarms.
  void VanishAfterTransfers(int count);
  void SetSensorType(std::uint8_t type);
  MouseState State() const;
  void SetState(const MouseState& state);
  // The plain CommandBlocks the firmware accepted, oldest first.
  std::vector<CommandBlock> CommandLog() const;
  void ClearCommandLog();

 private:
  struct BulkWrite {
    std::uint8_t code = 0;
    std::uint8_t index = 0;
    std::size_t length = 0;
    std::vector<std::uint8_t> data;
  };

  bool Usable(std::uint64_t generation) const;
  Transfer RunTransfer(std::uint64_t generation, const std::function<Transfer()>& body);
  // Counts a transfer; true when the mouse vanishes instead.
  bool CountTransfer();
  void HandleBlock(const CommandBlock& raw);
  void Execute(const CommandBlock& b, bool scrambled);
  void ExecuteRead(const CommandBlock& b, CommandBlock& reply);
  void StartBulkWrite(const CommandBlock& b);
  void FinishBulkWrite();
  void QueueData(std::span<const std::uint8_t> data, std::size_t announced);
  void Reply(CommandBlock reply, bool scrambled);
  void Broadcast(const std::array<std::uint8_t, kEventReportLength>& report);
  bool SetPlugged(bool plugged);  // locked; true when it changed
  void NotifyPlug(bool plugged);  // unlocked

  mutable std::mutex mutex_;
  MouseState state_;
  bool plugged_ = true;
  std::uint64_t generation_ = 1;
  Misbehaviour misbehaviour_ = Misbehaviour::None;
  int transfersLeft_ = -1;
  std::optional<std::array<std::uint8_t, kFeatureReportLength>> pendingFeature_;
  std::deque<std::array<std::uint8_t, kDataReportLength>> pendingData_;
  std::optional<BulkWrite> bulk_;
  std::vector<CommandBlock> log_;
  std::vector<std::weak_ptr<EventChannel>> channels_;
  std::vector<std::pair<int, std::function<void(bool)>>> listeners_;
  int nextListener_ = 1;
};

}  // namespace corvaline::sim
