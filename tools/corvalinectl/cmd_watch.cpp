// watch: the mouse's own announcements, as they arrive, until interrupted.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <csignal>
#include <mutex>
#include <ostream>

#include "core/device/commands.h"
#include "core/device/discovery.h"
#include "core/device/report_reader.h"
#include "core/settings/config_file.h"
#include "core/settings/value_tables.h"
#include "core/system/balloons.h"
#include "core/profiles/json_writer.h"
#include "platform/process.h"
#include "session.h"

namespace corvaline::cli {
namespace {

std::atomic<bool> g_interrupted{false};

extern "C" void OnSignal(int) { g_interrupted = true; }

// Prints one announcement as a line; safe from the reader's thread.
class EventPrinter {
 public:
  EventPrinter(std::ostream& out, bool json, UiLanguage lang, const SettingsBlock& settings,
               const DeviceLink& link)
      : out_(out), json_(json), texts_(BalloonTextsFor(lang)), settings_(settings), link_(link) {}

  void Print(int code, int value) {
    auto stageDpi = [this](int stage) {
      return std::string(DpiLabel(link_.sensorType, settings_.dpiStageIndex[stage]));
    };
    const auto balloon = BalloonFor(code, value, texts_, stageDpi);
    std::lock_guard lock(mutex_);
    // Every HID collection of the mouse announces its arrival and removal;
    // one plug or unplug is one event.
    if (code == kArrived || code == kRemoved) {
      if (code == presence_) return;
      presence_ = code;
    }
    if (json_) {
      // Compact, one object per line, for line-by-line readers (jq, scripts).
      out_ << "{\"event\":\"" << EventName(code) << "\",\"time\":\"" << NowIso8601()
           << "\",\"code\":" << code << ",\"value\":" << value
           << (code == kRateSwitched ? ",\"hz\":" + std::to_string(RateHz(value)) : "")
           << ",\"text\":"
           << (balloon ? '"' + JsonEscape(balloon->text) + '"' : std::string("null")) << "}\n";
    } else if (balloon) {
      out_ << balloon->title << ": " << balloon->text << '\n';
    }
    out_.flush();
  }

 private:
  static constexpr int kArrived = 14, kRemoved = 15, kRateSwitched = 5;

  // The rate the mouse announces as its code; 0 for a code it has no rate for.
  static int RateHz(int value) {
    return value >= 0 && value <= 255 ? ReportRateHz(static_cast<std::uint8_t>(value)) : 0;
  }

  static std::string_view EventName(int code) {
    switch (code) {
      case kRateSwitched: return "report-rate";
      case 7: return "dpi-stage";
      case 8: return "key-group";
      case 9: return "macro";
      case kArrived: return "arrived";
      case kRemoved: return "removed";
      default: return "other";
    }
  }

  // UTC with milliseconds: 2026-12-08T13:25:22.123Z.
  static std::string NowIso8601() {
    using namespace std::chrono;
    // The calendar of <chrono>: no gmtime_r, which Windows does not have.
    const auto now = floor<milliseconds>(system_clock::now());
    const auto day = floor<days>(now);
    const year_month_day date(day);
    const hh_mm_ss<milliseconds> time(now - day);
    char buf[96];
    std::snprintf(buf, sizeof buf, "%04d-%02u-%02uT%02d:%02d:%02d.%03dZ", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()),
                  static_cast<int>(time.subseconds().count()));
    return buf;
  }

  std::mutex mutex_;
  int presence_ = 0;  // the last of kArrived and kRemoved printed
  std::ostream& out_;
  bool json_;
  BalloonTexts texts_;
  const SettingsBlock& settings_;
  const DeviceLink& link_;
};

// Waits for device changes (or a short while) and lets the link follow them.
void FollowDeviceChanges(DeviceSession& session) {
  HidBackend& backend = *session.backend;
  platform::WaitForNotification(backend.NotificationHandle(), 250);
  for (const HidDeviceChange& change : backend.TakeDeviceChanges())
    SayProblems(session, HandleDeviceChange(session.link, change, DeviceChangeHooks{}));
}

}  // namespace

int RunWatch(Invocation& inv) {
  if (WantsHelp(inv.args)) {
    inv.out << "usage: corvalinectl watch [--json]\n"
               "Prints every event the mouse announces (report rate, DPI stage, key group,\n"
               "macro key) and its arrival and removal, in the words of the program's\n"
               "notifications, until interrupted (Ctrl+C). Survives the mouse being unplugged\n"
               "and plugged in again. --json prints one JSON object per line: \"event\"\n"
               "(report-rate, dpi-stage, key-group, macro, arrived, removed), \"time\" (ISO 8601,\n"
               "UTC), \"code\", \"value\", for a report rate also \"hz\", and the\n"
               "notification's \"text\".\n";
    return kExitOk;
  }
  const ParsedArgs args = ParseArgs(inv.args, {"--json"}, 0);
  SettingsStore store;  // the DPI labels of the stages come from the program's settings
  const DataFolder data = ProgramDataFolder(inv.global);
  if (std::filesystem::exists(data.configBin)) {
    if (const LoadedSettings loaded = LoadSettings(store, data.configBin); !loaded.notice.empty())
      inv.err << "corvalinectl: " << loaded.notice << '\n';
  }

  auto session = OpenSession(inv.global, inv.err);
  EventPrinter printer(inv.out, args.Has("--json"), OutputLanguage(inv.global), store.settings,
                       session->link);
  session->link.listener = [&printer](int code, int value) { printer.Print(code, value); };
  if (!session->backend->StartDeviceMonitor())
    inv.err << "corvalinectl: cannot follow plug-ins and removals; watching the present mouse only\n";

  g_interrupted = false;
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  // Only read the sensor type, for the DPI words: unlike the program's
  // first page, watching must not write anything to the mouse.
  if (SayProblems(*session, ConnectAtStartup(session->link)) && ReadSensorInfo(session->link))
    session->link.sensorType = session->link.records.sensorInfo.sensorType;
  ReportReader reader(session->link, [&printer](int code, int value) { printer.Print(code, value); });
  reader.Start();
  while (!g_interrupted) FollowDeviceChanges(*session);
  reader.Stop();
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  return kExitOk;
}

}  // namespace corvaline::cli
