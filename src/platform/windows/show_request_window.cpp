// A second start finds the running instance's message-only window by its
// class and posts it a request; the window's thread runs the event loop, so
// the request arrives there like any other message. A window of this session
// only: FindWindowEx does not see other sessions' windows.
#include <windows.h>

#include "platform/show_request.h"

namespace corvaline::platform {
namespace {

constexpr wchar_t kShowRequestClass[] = L"CorvalineShowRequestWindow";
constexpr UINT kShowMessage = WM_APP + 1;

class WindowShowRequests : public ShowRequests {
 public:
  explicit WindowShowRequests(OnShowRequest onShow) : onShow_(std::move(onShow)) {}
  ~WindowShowRequests() override {
    if (window_) DestroyWindow(window_);
  }

  bool Start() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &WindowShowRequests::WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kShowRequestClass;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
      return false;
    window_ = CreateWindowExW(0, kShowRequestClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                              nullptr);
    if (!window_) return false;
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return true;
  }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kShowMessage) return DefWindowProcW(window, message, wParam, lParam);
    auto* self = reinterpret_cast<WindowShowRequests*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && self->onShow_) self->onShow_(std::string());
    return 0;
  }

  OnShowRequest onShow_;
  HWND window_ = nullptr;
};

}  // namespace

// Windows hands the foreground on by AllowSetForegroundWindow, not by a token.
bool AskRunningInstanceToShow(std::string_view) {
  HWND running = FindWindowExW(HWND_MESSAGE, nullptr, kShowRequestClass, nullptr);
  if (!running) return false;
  // Windows lets only the foreground process hand the foreground on: the
  // second start has it (the user just started it) and passes it over.
  DWORD pid = 0;
  if (GetWindowThreadProcessId(running, &pid) && pid) AllowSetForegroundWindow(pid);
  return PostMessageW(running, kShowMessage, 0, 0) != 0;
}

std::unique_ptr<ShowRequests> ListenForShowRequests(OnShowRequest onShow) {
  auto requests = std::make_unique<WindowShowRequests>(std::move(onShow));
  if (!requests->Start()) return nullptr;
  return requests;
}

}  // namespace corvaline::platform
