// The device service of the program: the core's device link over a HID
// backend (the system's devices and corvaline-sim's virtual mice).
#pragma once

#include <atomic>
#include <memory>

#include "core/device/device_link.h"
#include "core/device/hid_port.h"
#include "core/device/report_reader.h"
#include "gui/shell/device_service.h"

namespace corvaline::gui {

class LinkDeviceService : public DeviceService {
 public:
  LinkDeviceService(std::unique_ptr<HidBackend> backend, DeviceLink& link);
  ~LinkDeviceService() override;

  void SetNotify(NotifyFn notify) override;
  bool OpenMouse() override;
  bool Ready() const override;
  bool CreateReader() override;
  void ResumeReader() override;
  bool StartMonitor() override;
  int MonitorHandle() const override;
  bool HandleDeviceChanges(const std::function<void()>& arrivedReady) override;
  int SensorType() const override;
  void PrepareSensor() override;
  ApplyReport ApplySettings(const ItemTexts& captions, UiLanguage lang) override;
  void Close() override;

 private:
  void Deliver(int code, int value);

  std::unique_ptr<HidBackend> backend_;
  DeviceLink& link_;
  std::unique_ptr<ReportReader> reader_;
  NotifyFn notify_;
  std::atomic<bool> closing_{false};
};

}  // namespace corvaline::gui
