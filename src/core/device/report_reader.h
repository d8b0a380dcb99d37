// The reader of the mouse's event reports: a thread of its own that waits on
// the input collection and hands every report rate, DPI stage, key group or
// macro event to a receiver, waiting until the receiver has dealt with it.
#pragma once

#include <atomic>
#include <functional>
#include <thread>

#include "core/device/device_link.h"

namespace corvaline {

// Called on the reader's thread with the event code (5, 7, 8, 9) and the
// value; the reader reads nothing more until it returns.
using EventReceiver = std::function<void(int code, int value)>;

class ReportReader {
 public:
  ReportReader(DeviceLink& link, EventReceiver receiver);
  ~ReportReader();  // stops the thread
  ReportReader(const ReportReader&) = delete;
  ReportReader& operator=(const ReportReader&) = delete;

  // Starts the thread; later calls do nothing. While no mouse is ready or no
  // input collection is open it sleeps without polling.
  void Start();
  bool Started() const { return thread_.joinable(); }
  // Ends the thread in an orderly way: a pending read is cancelled and the
  // thread joined. Must not be called from the receiver, nor while the
  // receiver waits for the calling thread (see RequestStop).
  void Stop();
  // For a receiver that hands events to the caller's thread: asks the thread
  // to end and cancels a pending read, without waiting. The caller keeps
  // serving the receiver, repeating the call, until Finished(); then Stop()
  // joins at once.
  void RequestStop();
  bool Finished() const;

 private:
  void Run();
  // Blocks until there is something to read from or the reader is stopped.
  std::shared_ptr<HidDevice> WaitForDevice(std::size_t& length);
  // After the collection failed: waits until discovery replaces it.
  void WaitForReplacement(const std::shared_ptr<HidDevice>& failed, bool gone);

  DeviceLink& link_;
  EventReceiver receiver_;
  std::thread thread_;
  bool stop_ = false;     // guarded by link_.events.mutex
  bool running_ = false;  // guarded by link_.events.mutex
  std::shared_ptr<HidDevice> reading_;  // guarded by link_.events.mutex
};

}  // namespace corvaline
