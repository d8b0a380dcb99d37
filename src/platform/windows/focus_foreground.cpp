// The Windows focus watcher: the system reports every change of the
// foreground window through a WinEvent hook, and the application is named by
// its executable's file name. The hook is out of context, so its callback
// runs on the thread that set it while that thread pumps messages (the
// program's event loop does); nothing else needs watching.
#include <windows.h>

#include <string>

#include "core/profiles/auto_rules.h"
#include "platform/focus_watch.h"

namespace corvaline::platform {
namespace {

std::string Utf8(const wchar_t* text, DWORD length) {
  if (length == 0) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0,
                                       nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  if (size > 0)
    WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), out.data(), size, nullptr,
                        nullptr);
  return out;
}

// Empty when the process cannot be asked (gone already, or a protected one).
std::string ImagePathOf(HWND window) {
  DWORD pid = 0;
  if (!window || !GetWindowThreadProcessId(window, &pid) || pid == 0) return {};
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!process) return {};
  wchar_t path[MAX_PATH * 4];
  DWORD length = sizeof path / sizeof path[0];
  const bool ok = QueryFullProcessImageNameW(process, 0, path, &length);
  CloseHandle(process);
  return ok ? Utf8(path, length) : std::string();
}

class ForegroundWatcher : public FocusWatcher {
 public:
  explicit ForegroundWatcher(FocusWatcher::Report report) : report_(std::move(report)) {}
  ~ForegroundWatcher() override {
    if (hook_) UnhookWinEvent(hook_);
    if (current_ == this) current_ = nullptr;
  }

  bool Start() {
    // The hook's callback carries no pointer of ours; one watcher per process.
    if (current_) return false;
    hook_ = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                            &ForegroundWatcher::OnEvent, 0, 0,
                            WINEVENT_OUTOFCONTEXT);
    if (!hook_) return false;
    current_ = this;
    Report(GetForegroundWindow());
    return true;
  }

  std::string_view Name() const override { return "windows-foreground"; }
  int Descriptor() const override { return -1; }
  void Dispatch() override {}

 private:
  static void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG,
                               DWORD, DWORD) {
    if (event == EVENT_SYSTEM_FOREGROUND && object == OBJID_WINDOW && current_)
      current_->Report(window);
  }

  void Report(HWND window) {
    const std::string app = AppIdFromExecutablePath(ImagePathOf(window));
    if (!app.empty()) report_({app});
  }

  static inline ForegroundWatcher* current_ = nullptr;
  FocusWatcher::Report report_;
  HWINEVENTHOOK hook_ = nullptr;
};

}  // namespace

FocusWatchers CreateFocusWatchers(const FocusWatcher::Report& report, const std::string&) {
  FocusWatchers out;
  auto watcher = std::make_unique<ForegroundWatcher>(report);
  if (watcher->Start())
    out.watchers.push_back(std::move(watcher));
  else
    out.problem = "the foreground-window hook could not be set";
  return out;
}

}  // namespace corvaline::platform
