#include "gui/tray/auto_switch.h"

#include <QApplication>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "core/i18n/tray_texts.h"
#include "core/profiles/auto_texts.h"
#include "core/profiles/profile_store.h"
#include "core/settings/data_paths.h"
#include "core/settings/utf8_paths.h"
#include "gui/skin/message_sink.h"
#include "gui/tray/profiles_menu.h"
#include "gui/shell/shell.h"
#include "gui/skin/skin_text.h"
#include "platform/focus_watch.h"

namespace corvaline::gui {
namespace {

// While a due profile waits (for the mouse, an edit, a dialog), how often
// to look again.
constexpr int kRetryMs = 250;
// Long enough to read a file name in.
constexpr int kFailedBalloonMs = 10000;
// The names the program's own windows go by.
constexpr std::string_view kOwnAppId = "corvaline";

std::filesystem::path ProgramFolder() { return DataFiles().programFolder; }

bool SameBlock(const SettingsBlock& a, const SettingsBlock& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// While an automatic switch runs, what would be a message box (a save
// that failed, a transfer the mouse did not take) is held for one balloon:
// a box would take the keyboard from the application that just got it.
class HeldMessages : public MessageSink {
 public:
  HeldMessages() : previous_(GetMessageSink()) { SetMessageSink(this); }
  ~HeldMessages() override { SetMessageSink(previous_); }
  HeldMessages(const HeldMessages&) = delete;
  HeldMessages& operator=(const HeldMessages&) = delete;
  void ShowMessage(std::string_view text, std::string_view) override { texts.emplace_back(text); }
  std::vector<std::string> texts;

 private:
  MessageSink* previous_;
};

bool IsOwn(const std::vector<std::string>& names) {
  for (const std::string& n : names)
    if (QString::fromStdString(n).compare(QLatin1String(kOwnAppId.data()), Qt::CaseInsensitive) ==
        0)
      return true;
  return false;
}

}  // namespace

AutoSwitchController::AutoSwitchController(Shell& shell, TrayPort& tray, ProfilesMenu& profiles,
                                           std::function<bool()> recording, QObject* parent)
    : QObject(parent),
      shell_(shell),
      tray_(tray),
      profiles_(profiles),
      recording_(std::move(recording)) {
  clock_.start();
  timer_ = new QTimer(this);
  timer_->setSingleShot(true);
  // A coarse timer may fire 5 % late, 25 ms of a 500 ms delay.
  timer_->setTimerType(Qt::PreciseTimer);
  connect(timer_, &QTimer::timeout, this, &AutoSwitchController::Check);
  WatchRules();
  connect(&tray_, &TrayPort::menuOpening, this, &AutoSwitchController::AddMenuEntries);
  connect(&tray_, &TrayPort::autoSwitchToggled, this, &AutoSwitchController::SetSwitching);
  connect(&tray_, &TrayPort::autoAssignChosen, this, &AutoSwitchController::AssignCurrentToLastApp);
  AddMenuEntries();
}

AutoSwitchController::~AutoSwitchController() = default;

void AutoSwitchController::StartWatching() {
  // UTF-8 both ways: a Windows install folder may have letters the ANSI code
  // page cannot spell.
  const std::filesystem::path share =
      InstalledDefaultsFolder(PathFromUtf8(QCoreApplication::applicationFilePath().toStdString()));
  platform::FocusWatchers w = platform::CreateFocusWatchers(
      [this](const std::vector<std::string>& names) { OnFocus(names); }, Utf8FromPath(share));
  for (auto& watcher : w.watchers) {
    if (const int fd = watcher->Descriptor(); fd >= 0) {
      auto* n = new QSocketNotifier(fd, QSocketNotifier::Read, this);
      platform::FocusWatcher* raw = watcher.get();
      connect(n, &QSocketNotifier::activated, this, [raw] { raw->Dispatch(); });
    }
    watchers_.push_back(std::move(watcher));
  }
  if (!w.problem.empty())
    std::fprintf(stderr, "corvaline: automatic profiles cannot see the focus: %s\n",
                 w.problem.c_str());
  if (w.gnomeNeedsExtension)
    tray_.ShowBalloon(QStringLiteral("Info"), Utf8(AutoNeedsExtensionText(shell_.Language())),
                      10000);
}

// The rules are read again only after their file changed (corvalinectl, an
// editor): a focus change must not cost a parse of thousands of lines.
void AutoSwitchController::WatchRules() {
  rulesWatcher_ = new QFileSystemWatcher(this);
  const QString folder = QString::fromStdString(Utf8FromPath(ProgramFolder()));
  const QString file = QString::fromStdString(Utf8FromPath(ProgramFolder() / kAutoRulesFile));
  auto changed = [this, file] {
    rulesStale_ = true;
    // A file renamed over the watched one ends the watch on it.
    if (!rulesWatcher_->files().contains(file) && QFileInfo::exists(file)) rulesWatcher_->addPath(file);
  };
  connect(rulesWatcher_, &QFileSystemWatcher::fileChanged, this, changed);
  connect(rulesWatcher_, &QFileSystemWatcher::directoryChanged, this, changed);
  if (QFileInfo::exists(folder)) rulesWatcher_->addPath(folder);
  if (QFileInfo::exists(file)) rulesWatcher_->addPath(file);
  rulesStale_ = true;
  CurrentRules();
}

const AutoRules& AutoSwitchController::CurrentRules() {
  if (!rulesStale_) return rules_;
  rulesStale_ = false;
  // The folder's other files (a save, the count of Applies) change it too.
  std::error_code ec;
  const std::filesystem::path file = ProgramFolder() / kAutoRulesFile;
  const auto size = std::filesystem::file_size(file, ec);
  const auto written = std::filesystem::last_write_time(file, ec);
  const QString signature = ec ? QString()
                               : QString::number(size) + ':' +
                                     QString::number(written.time_since_epoch().count());
  if (ruleReads_ > 0 && signature == rulesSignature_) return rules_;
  rulesSignature_ = signature;
  rules_ = ReadAutoRules(ProgramFolder()).rules;
  ++ruleReads_;
  return rules_;
}

void AutoSwitchController::OnFocus(const std::vector<std::string>& names) {
  CurrentRules();
  // By the names only: Qt may not have heard yet that its window lost the
  // focus when the desktop's report comes.
  const bool own = IsOwn(names);
  NoteFocus(state_, ChooseAppId(rules_, names), own, clock_.elapsed());
  Schedule();
}

void AutoSwitchController::Schedule() {
  if (const auto at = NextCheckMs(state_, rules_))
    timer_->start(static_cast<int>(std::max<qint64>(0, *at - clock_.elapsed())));
  else if (!state_.dueProfile.empty())
    timer_->start(kRetryMs);
}

SwitchConditions AutoSwitchController::Conditions() const {
  SwitchConditions c;
  c.mousePresent = shell_.DeviceReady();
  c.unappliedEdits = shell_.HasUnappliedEdits();
  c.recording = recording_ && recording_();
  c.dialogOpen = QApplication::activeModalWidget() != nullptr;
  c.ownWindowFocused = QApplication::activeWindow() != nullptr;
  return c;
}

void AutoSwitchController::Check() {
  if (const auto d = Decide(state_, rules_, Conditions(), shell_.OnMouse().Name(), clock_.elapsed()))
    Apply(*d);
  Schedule();
}

// The mouse and the program hold the profile's settings already (at start,
// or chosen by hand in another way): nothing to write, only the name.
bool AutoSwitchController::NameIfHeld(const std::string& profile) {
  const ProfileResult p = LoadProfile(ProfilesFolder(ProgramFolder()), profile, shell_.Language());
  if (!p.profile || !SameBlock(p.profile->block, Settings().savedSettings) ||
      !shell_.OnMouse().Holds(p.profile->block))
    return false;
  shell_.NameProfileIfHeld(QString::fromStdString(profile), p.profile->block);
  return true;
}

void AutoSwitchController::Warn(const std::string& text) {
  tray_.ShowBalloon(QStringLiteral("Warning"), Utf8(text), kFailedBalloonMs);
}

void AutoSwitchController::Apply(const SwitchDecision& d) {
  if (NameIfHeld(d.profile)) {
    NoteSwitched(state_);
    return;
  }
  const QString profile = QString::fromStdString(d.profile);
  const QString app = QString::fromStdString(d.app);
  const UiLanguage lang = shell_.Language();
  const std::string said = AutoSwitchedText(d.profile, d.app, lang);
  std::string problem;
  HeldMessages held;
  const bool ok = profiles_.Load(profile, Utf8(said), &problem);
  if (!ok) {
    if (DropDue(state_)) Warn(AutoProfileFailedText(d.profile, d.app, problem, lang));
    return;
  }
  NoteSwitched(state_);
  if (const Outcome counted = CountAutoApply(ProgramFolder(), TodayText()); !counted)
    held.texts.push_back(counted.Reason());
  if (!held.texts.empty() && FirstTrouble(state_, d.app, d.profile, RuleTrouble::SwitchIncomplete)) {
    std::string text = said + "\n" + std::string(UiText(TrayText::AutoSwitchTrouble, lang));
    for (const std::string& t : held.texts) text += "\n" + t;
    Warn(text);
  }
  emit switched(profile, app);
}

void AutoSwitchController::AddMenuEntries() {
  CurrentRules();
  const UiLanguage lang = shell_.Language();
  const std::string& onMouse = shell_.OnMouse().Name();
  QString assign;
  if (!state_.settledApp.empty() && !onMouse.empty())
    assign = Utf8(AutoAssignMenuText(onMouse, state_.settledApp, lang));
  tray_.SetAutoEntries(Utf8(AutoSwitchMenuText(lang)), rules_.on, assign);
}

void AutoSwitchController::SetSwitching(bool on) {
  AutoRulesResult r = ReadAutoRules(ProgramFolder());
  r.rules.on = on;
  if (!r.problems.empty()) {
    ShowMessage(r.problems.front(), kAppTitle);  // never rewrite what could not be read
    return;
  }
  ShowIfFailed(WriteAutoRules(ProgramFolder(), r.rules));
  rules_ = r.rules;
  AddMenuEntries();
}

void AutoSwitchController::AssignCurrentToLastApp() {
  const std::string onMouse = shell_.OnMouse().Name();
  if (state_.settledApp.empty() || onMouse.empty()) return;
  AutoRulesResult r = ReadAutoRules(ProgramFolder());
  if (!r.problems.empty()) {
    ShowMessage(r.problems.front(), kAppTitle);
    return;
  }
  SetRule(r.rules, state_.settledApp, onMouse);
  ShowIfFailed(WriteAutoRules(ProgramFolder(), r.rules));
  rules_ = r.rules;
}

}  // namespace corvaline::gui
