#include "gui/shell/link_device_service.h"

#include <QCoreApplication>
#include <chrono>
#include <thread>

#include "core/device/apply.h"
#include "core/device/commands.h"
#include "core/device/discovery.h"
#include "core/settings/data_paths.h"
#include "gui/skin/message_sink.h"

namespace corvaline::gui {

LinkDeviceService::LinkDeviceService(std::unique_ptr<HidBackend> backend, DeviceLink& link)
    : backend_(std::move(backend)), link_(link) {
  link_.backend = backend_.get();
  link_.listener = [this](int code, int value) { Deliver(code, value); };
}

LinkDeviceService::~LinkDeviceService() {
  Close();
  link_.listener = {};
  link_.backend = nullptr;
}

void LinkDeviceService::SetNotify(NotifyFn notify) { notify_ = std::move(notify); }

void LinkDeviceService::Deliver(int code, int value) {
  if (!closing_ && notify_) notify_(code, value);
}

namespace {
// Why a part of the mouse cannot be used, one box each.
bool ShowProblems(const LinkOutcome& outcome) {
  for (const std::string& problem : outcome.problems) ShowMessage(problem, kAppTitle);
  return outcome.ready;
}
}  // namespace

bool LinkDeviceService::OpenMouse() { return ShowProblems(ConnectAtStartup(link_)); }

bool LinkDeviceService::Ready() const { return link_.deviceReady; }

bool LinkDeviceService::CreateReader() {
  reader_ = std::make_unique<ReportReader>(link_, [this](int code, int value) {
    Deliver(code, value);
  });
  return true;
}

void LinkDeviceService::ResumeReader() {
  if (reader_) reader_->Start();
}

bool LinkDeviceService::StartMonitor() { return backend_->StartDeviceMonitor(); }

int LinkDeviceService::MonitorHandle() const { return backend_->NotificationHandle(); }

bool LinkDeviceService::HandleDeviceChanges(const std::function<void()>& arrivedReady) {
  bool lost = false;
  DeviceChangeHooks hooks;
  hooks.hideMainWindow = [&lost] { lost = true; };
  hooks.mouseArrivedReady = [&arrivedReady] {
    if (arrivedReady) arrivedReady();
  };
  for (const HidDeviceChange& change : backend_->TakeDeviceChanges())
    ShowProblems(HandleDeviceChange(link_, change, hooks));
  return lost;
}

int LinkDeviceService::SensorType() const { return link_.sensorType; }

void LinkDeviceService::PrepareSensor() {
  if (link_.deviceReady) RefreshSensorInfo(link_);
}

ApplyReport LinkDeviceService::ApplySettings(const ItemTexts& captions, UiLanguage lang) {
  const SettingsStore& store = Settings();
  return corvaline::ApplySettings(link_, store.settings,
                                  FileSavers(store, DataFiles().configBin, DataFiles().strIni, lang, captions));
}

void LinkDeviceService::Close() {
  closing_ = true;
  if (reader_) {
    // The reader may be waiting for the GUI thread to take an event; keep
    // the GUI thread's queue moving while the reader winds down.
    while (!reader_->Finished()) {
      reader_->RequestStop();
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    reader_->Stop();
    reader_.reset();
  }
  CloseDeviceHandles(link_);
}

}  // namespace corvaline::gui
