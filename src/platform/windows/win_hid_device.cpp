#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/windows/win_hid.h"

extern "C" {
#include <hidsdi.h>
}

namespace corvaline::platform {
namespace {

bool IsGoneError(DWORD error) {
  return error == ERROR_DEVICE_NOT_CONNECTED || error == ERROR_INVALID_HANDLE ||
         error == ERROR_OPERATION_ABORTED || error == ERROR_GEN_FAILURE ||
         error == ERROR_BAD_COMMAND || error == ERROR_FILE_NOT_FOUND;
}

// One overlapped transfer waited for to its end.
bool FinishOverlapped(HANDLE handle, OVERLAPPED& ov, BOOL started, DWORD& transferred) {
  if (!started && GetLastError() != ERROR_IO_PENDING) return false;
  return GetOverlappedResult(handle, &ov, &transferred, TRUE) != FALSE;
}

class WindowsHidDevice final : public HidDevice {
 public:
  WindowsHidDevice(HANDLE handle, std::size_t inputLength, HANDLE readEvent, HANDLE cancelEvent,
                   HANDLE writeEvent)
      : handle_(handle), readEvent_(readEvent), cancelEvent_(cancelEvent),
        writeEvent_(writeEvent), report_(std::max<std::size_t>(inputLength, 1)) {}
  ~WindowsHidDevice() override {
    CancelIoEx(handle_, nullptr);
    CloseHandle(handle_);
    CloseHandle(readEvent_);
    CloseHandle(cancelEvent_);
    CloseHandle(writeEvent_);
  }

  bool SetFeature(std::span<const std::uint8_t> report) override {
    if (report.empty()) return false;
    std::vector<std::uint8_t> copy(report.begin(), report.end());
    return HidD_SetFeature(handle_, copy.data(), static_cast<ULONG>(copy.size())) != FALSE;
  }

  bool GetFeature(std::span<std::uint8_t> report) override {
    if (report.empty()) return false;
    return HidD_GetFeature(handle_, report.data(), static_cast<ULONG>(report.size())) != FALSE;
  }

  bool WriteOutput(std::span<const std::uint8_t> report) override {
    if (report.empty()) return false;
    OVERLAPPED ov{};
    ov.hEvent = writeEvent_;
    ResetEvent(writeEvent_);
    DWORD written = 0;
    const BOOL started =
        WriteFile(handle_, report.data(), static_cast<DWORD>(report.size()), nullptr, &ov);
    return FinishOverlapped(handle_, ov, started, written) && written == report.size();
  }

  HidReadResult ReadInput(std::span<std::uint8_t> buffer, std::size_t& got) override;

  // Wakes the reader; a cancel that comes before the read starts ends that read.
  void CancelRead() override { SetEvent(cancelEvent_); }

 private:
  HANDLE handle_;
  HANDLE readEvent_;    // manual reset, signalled by the read's completion
  HANDLE cancelEvent_;  // auto reset, one cancel per signal
  HANDLE writeEvent_;
  std::vector<std::uint8_t> report_;
};

HidReadResult WindowsHidDevice::ReadInput(std::span<std::uint8_t> buffer, std::size_t& got) {
  got = 0;
  OVERLAPPED ov{};
  ov.hEvent = readEvent_;
  ResetEvent(readEvent_);
  if (!ReadFile(handle_, report_.data(), static_cast<DWORD>(report_.size()), nullptr, &ov)) {
    const DWORD error = GetLastError();
    if (error != ERROR_IO_PENDING) {
      return IsGoneError(error) ? HidReadResult::Gone : HidReadResult::Error;
    }
  }
  HANDLE waits[2] = {readEvent_, cancelEvent_};
  const DWORD woke = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
  DWORD transferred = 0;
  if (woke == WAIT_OBJECT_0 + 1) {
    // The buffer must outlive the read, so wait for the cancelled I/O to end.
    CancelIoEx(handle_, &ov);
    GetOverlappedResult(handle_, &ov, &transferred, TRUE);
    return HidReadResult::Cancelled;
  }
  if (!GetOverlappedResult(handle_, &ov, &transferred, TRUE)) {
    return IsGoneError(GetLastError()) ? HidReadResult::Gone : HidReadResult::Error;
  }
  if (transferred == 0) return HidReadResult::Gone;
  got = std::min<std::size_t>(transferred, buffer.size());
  std::memcpy(buffer.data(), report_.data(), got);
  return HidReadResult::Ok;
}

}  // namespace

HidOpenResult MakeWindowsHidDevice(HANDLE handle, std::size_t inputReportLength) {
  HANDLE readEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE cancelEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  HANDLE writeEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!readEvent || !cancelEvent || !writeEvent) {
    const std::string why = "CreateEvent failed: " + DescribeWin32Error(GetLastError());
    for (HANDLE h : {readEvent, cancelEvent, writeEvent}) {
      if (h) CloseHandle(h);
    }
    CloseHandle(handle);
    return HidOpenResult::Failed(why);
  }
  return Opened(std::make_unique<WindowsHidDevice>(handle, inputReportLength, readEvent, cancelEvent, writeEvent));
}

}  // namespace corvaline::platform
