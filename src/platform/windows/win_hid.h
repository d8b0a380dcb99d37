// Pieces shared by the files of the Windows HID backend.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/device/hid_port.h"

namespace corvaline::platform {

std::string Utf8FromWide(const wchar_t* text);
std::wstring WideFromUtf8(const std::string& text);
// "error 5: Access is denied." for a Win32 error code.
std::string DescribeWin32Error(DWORD error);

// Takes ownership of `handle`, an open HID collection (opened with
// FILE_FLAG_OVERLAPPED). `inputReportLength` is the collection's input report
// length; ReadFile on HID needs a buffer at least that long.
HidOpenResult MakeWindowsHidDevice(HANDLE handle, std::size_t inputReportLength);

// Device-interface notifications for the HID class, gathered by a
// message-only window. Start and Take must be called on the same thread:
// the window belongs to the thread that made it, and Take pumps its messages.
class HidDeviceNotifier {
 public:
  HidDeviceNotifier() = default;
  ~HidDeviceNotifier();
  HidDeviceNotifier(const HidDeviceNotifier&) = delete;
  HidDeviceNotifier& operator=(const HidDeviceNotifier&) = delete;

  bool Start();
  std::vector<HidDeviceChange> Take();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  HDEVNOTIFY registration_ = nullptr;
  std::vector<HidDeviceChange> pending_;
};

}  // namespace corvaline::platform
