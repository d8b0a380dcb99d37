#include <windows.h>
// after windows.h, which it needs
#include <dbt.h>

#include "platform/windows/win_hid.h"

extern "C" {
#include <hidsdi.h>
}

namespace corvaline::platform {
namespace {

constexpr wchar_t kWindowClass[] = L"CorvalineHidNotifyWindow";

}  // namespace

HidDeviceNotifier::~HidDeviceNotifier() {
  if (registration_) UnregisterDeviceNotification(registration_);
  if (window_) DestroyWindow(window_);
}

bool HidDeviceNotifier::Start() {
  if (window_) return true;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &HidDeviceNotifier::WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kWindowClass;
  if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    return false;
  }
  // A message-only window: never shown, it only receives WM_DEVICECHANGE.
  window_ = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                            nullptr);
  if (!window_) return false;
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

  DEV_BROADCAST_DEVICEINTERFACE_W filter{};
  filter.dbcc_size = sizeof filter;
  filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  HidD_GetHidGuid(&filter.dbcc_classguid);
  registration_ = RegisterDeviceNotificationW(window_, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
  if (!registration_) {
    DestroyWindow(window_);
    window_ = nullptr;
    return false;
  }
  return true;
}

std::vector<HidDeviceChange> HidDeviceNotifier::Take() {
  // The system sends WM_DEVICECHANGE; sent messages are delivered while
  // the thread peeks at its queue.
  MSG message;
  while (window_ && PeekMessageW(&message, window_, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  std::vector<HidDeviceChange> out;
  out.swap(pending_);
  return out;
}

LRESULT CALLBACK HidDeviceNotifier::WindowProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  if (message != WM_DEVICECHANGE) return DefWindowProcW(window, message, wParam, lParam);
  auto* self = reinterpret_cast<HidDeviceNotifier*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
  const bool interfaceEvent = (wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE) &&
                              header && header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE;
  if (self && interfaceEvent) {
    const auto* record = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header);
    HidDeviceChange change;
    change.kind = wParam == DBT_DEVICEARRIVAL ? HidDeviceChange::Kind::Arrival
                                              : HidDeviceChange::Kind::Removal;
    change.interfaceName = Utf8FromWide(record->dbcc_name);
    self->pending_.push_back(std::move(change));
  }
  return TRUE;
}

}  // namespace corvaline::platform
