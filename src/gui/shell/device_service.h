// What the shell needs from the device link: open the mouse, watch for it
// coming and going, read its event reports and send the settings. The real
// service drives the core's device link over a HID backend; tests give their
// own.
#pragma once

#include <functional>

#include "core/device/apply.h"
#include "core/i18n/ui_language.h"
#include "core/settings/item_texts.h"

namespace corvaline::gui {

class DeviceService {
 public:
  // Event code and value (see balloons.h). May be called from the reader
  // thread; the receiver must handle it before returning.
  using NotifyFn = std::function<void(int code, int value)>;

  virtual ~DeviceService() = default;
  virtual void SetNotify(NotifyFn notify) = 0;

  // Looks for the mouse and, when found, runs the handshake; raises 14 or 15.
  // Returns whether the mouse is ready afterwards.
  virtual bool OpenMouse() = 0;
  virtual bool Ready() const = 0;

  // Creates the event-report reader; it starts reading once Ready() (or at
  // ResumeReader()). False when the reader's wake-up cannot be created.
  virtual bool CreateReader() = 0;
  virtual void ResumeReader() = 0;

  // Hot-plug monitoring: a file descriptor to watch, or -1 to poll.
  virtual bool StartMonitor() = 0;
  virtual int MonitorHandle() const = 0;
  // Handles the pending arrivals and removals. arrivedReady runs when a
  // plug-in left the mouse ready. Returns true when the mouse was lost (the
  // caller hides the window).
  virtual bool HandleDeviceChanges(const std::function<void()>& arrivedReady) = 0;

  // The sensor type byte of the mouse (selects the DPI tables).
  virtual int SensorType() const = 0;
  // Reads the sensor information and marks it as configured by the program.
  virtual void PrepareSensor() = 0;

  // Sends the whole working settings block, then saves it and the button
  // captions.
  virtual ApplyReport ApplySettings(const ItemTexts& captions, UiLanguage lang) = 0;

  // Stops the reader and closes the handles.
  virtual void Close() = 0;
};

}  // namespace corvaline::gui
