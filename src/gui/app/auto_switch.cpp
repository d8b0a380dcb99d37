#include "gui/app/auto_switch.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "core/profiles/auto_texts.h"
#include "core/profiles/profile_store.h"
#include "core/settings/data_paths.h"
#include "core/settings/utf8_paths.h"
#include "core/system/messages.h"
#include "gui/app/profiles_menu.h"
#include "gui/app/shell.h"
#include "gui/ui/skin_text.h"
#include "platform/focus_watch.h"

namespace corvaline::gui {
namespace {

// While a due profile waits (for the mouse, an edit, a dialog), how often
// to look again.
constexpr int kRetryMs = 250;
// The names the program's own windows go by.
constexpr std::string_view kOwnAppId = "corvaline";

std::filesystem::path Folder() { return DataFiles().programFolder; }

bool SameBlock(const SettingsBlock& a, const SettingsBlock& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

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
  rules_ = ReadAutoRules(Folder()).rules;
  // A profile chosen by hand is on the mouse as much as one chosen here.
  connect(&profiles_, &ProfilesMenu::loaded, this, [this](const QString& name) {
    if (!applying_) NoteOnMouseNow(name.toStdString());
  });
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

void AutoSwitchController::OnFocus(const std::vector<std::string>& names) {
  rules_ = ReadAutoRules(Folder()).rules;  // corvalinectl may have changed them
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
  const SettingsStore& s = Settings();
  c.mousePresent = shell_.DeviceReady();
  c.unappliedEdits = !SameBlock(s.settings, s.savedSettings);
  c.recording = recording_ && recording_();
  c.dialogOpen = QApplication::activeModalWidget() != nullptr;
  c.ownWindowFocused = QApplication::activeWindow() != nullptr;
  return c;
}

// OK or Apply with edits since the profile went out: the mouse holds no
// named profile any more.
void AutoSwitchController::ForgetIfChangedByHand() {
  if (!state_.onMouse.empty() && !SameBlock(Settings().savedSettings, sentWithProfile_))
    state_.onMouse.clear();
}

void AutoSwitchController::NoteOnMouseNow(const std::string& profile) {
  NoteOnMouse(state_, profile);
  sentWithProfile_ = Settings().savedSettings;
}

void AutoSwitchController::Check() {
  ForgetIfChangedByHand();
  if (const auto d = Decide(state_, rules_, Conditions(), clock_.elapsed())) Apply(*d);
  Schedule();
}

// The settings last sent already are the profile's (at start, or chosen by
// hand in another way): the mouse holds it, nothing to write.
bool AutoSwitchController::AlreadySent(const std::string& profile) const {
  const ProfileResult p = LoadProfile(ProfilesFolder(Folder()), profile, shell_.Language());
  return p.profile && SameBlock(p.profile->block, Settings().savedSettings);
}

void AutoSwitchController::Apply(const SwitchDecision& d) {
  if (AlreadySent(d.profile)) {
    NoteOnMouseNow(d.profile);
    return;
  }
  const QString profile = QString::fromStdString(d.profile);
  const QString app = QString::fromStdString(d.app);
  applying_ = true;
  const bool ok =
      profiles_.Load(profile, Utf8(AutoSwitchedText(d.profile, d.app, shell_.Language())));
  applying_ = false;
  if (!ok) {
    DropDue(state_);  // its message was shown once; not again on every retry
    return;
  }
  NoteOnMouseNow(d.profile);
  if (std::string e = CountAutoApply(Folder(), TodayText()); !e.empty()) ShowMessage(e, kAppTitle);
  emit switched(profile, app);
}

void AutoSwitchController::AddMenuEntries() {
  ForgetIfChangedByHand();
  rules_ = ReadAutoRules(Folder()).rules;
  const UiLanguage lang = shell_.Language();
  QString assign;
  if (!state_.settledApp.empty() && !state_.onMouse.empty())
    assign = Utf8(AutoAssignMenuText(state_.onMouse, state_.settledApp, lang));
  tray_.SetAutoEntries(Utf8(AutoSwitchMenuText(lang)), rules_.on, assign);
}

void AutoSwitchController::SetSwitching(bool on) {
  AutoRulesResult r = ReadAutoRules(Folder());
  r.rules.on = on;
  if (!r.problems.empty()) {
    ShowMessage(r.problems.front(), kAppTitle);  // never rewrite what could not be read
    return;
  }
  if (std::string e = WriteAutoRules(Folder(), r.rules); !e.empty()) ShowMessage(e, kAppTitle);
  rules_ = r.rules;
  AddMenuEntries();
}

void AutoSwitchController::AssignCurrentToLastApp() {
  if (state_.settledApp.empty() || state_.onMouse.empty()) return;
  AutoRulesResult r = ReadAutoRules(Folder());
  if (!r.problems.empty()) {
    ShowMessage(r.problems.front(), kAppTitle);
    return;
  }
  SetRule(r.rules, state_.settledApp, state_.onMouse);
  if (std::string e = WriteAutoRules(Folder(), r.rules); !e.empty()) ShowMessage(e, kAppTitle);
  rules_ = r.rules;
}

}  // namespace corvaline::gui
