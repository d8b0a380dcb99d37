// Automatic profiles in the running program: takes the focus reports of the
// desktop's watchers, runs the core's switching decision on a real clock and
// applies the profile due through the tray's profile loading (as OK does,
// with a balloon naming profile and application). A switch never takes the
// keyboard from the application that just got it: what goes wrong is said
// in one balloon per rule and run, never in a message box. Adds "Switch
// automatically" and the entry giving the last application the profile in
// use to the tray's Profiles submenu.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "core/profiles/auto_rules.h"
#include "core/profiles/auto_switch.h"

class QTimer;
class QFileSystemWatcher;

namespace corvaline::platform {
class FocusWatcher;
}

namespace corvaline::gui {

class Shell;
class TrayPort;
class ProfilesMenu;

class AutoSwitchController : public QObject {
  Q_OBJECT
 public:
  AutoSwitchController(Shell& shell, TrayPort& tray, ProfilesMenu& profiles,
                       std::function<bool()> recording, QObject* parent = nullptr);
  ~AutoSwitchController() override;

  // Starts the desktop's watchers (not in the tests, which report by hand).
  void StartWatching();
  // A focus report: the names the window goes by, most specific first.
  void OnFocus(const std::vector<std::string>& names);
  const AutoSwitchState& State() const { return state_; }
  // How often the rules file was parsed (once, then once per change).
  int RuleReads() const { return ruleReads_; }

 signals:
  // After each automatic Apply (the benchmark times it).
  void switched(const QString& profile, const QString& app);

 private:
  void Check();
  void Apply(const SwitchDecision& d);
  bool NameIfHeld(const std::string& profile);
  void Warn(const std::string& text);
  SwitchConditions Conditions() const;
  void AddMenuEntries();
  void SetSwitching(bool on);
  void AssignCurrentToLastApp();
  void Schedule();
  void WatchRules();
  const AutoRules& CurrentRules();

  Shell& shell_;
  TrayPort& tray_;
  ProfilesMenu& profiles_;
  std::function<bool()> recording_;
  AutoRules rules_;
  AutoSwitchState state_;
  QElapsedTimer clock_;
  QTimer* timer_ = nullptr;
  std::vector<std::unique_ptr<platform::FocusWatcher>> watchers_;
  QFileSystemWatcher* rulesWatcher_ = nullptr;
  bool rulesStale_ = true;
  int ruleReads_ = 0;
  QString rulesSignature_;  // size and times of the file last read
};

}  // namespace corvaline::gui
