// The application shell (CPointekApp and the non-visual half of CPointekDlg):
// the start-up sequence, the tray icon's clicks and balloons, the window-level
// actions of the dispatcher, the page model and the way the program ends.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "core/i18n/ui_language.h"
#include "core/profiles/profile_on_mouse.h"
#include "core/settings/edit_session.h"
#include "core/settings/item_texts.h"
#include "core/system/system_mouse.h"
#include "core/system/balloons.h"
#include "core/system/status_line.h"
#include "gui/skin/ui_fonts.h"
#include "gui/shell/device_service.h"
#include "gui/shell/hit_regions.h"
#include "gui/pages/page_content.h"
#include "gui/shell/tray_port.h"
#include "gui/pages/basic_page.h"
#include "gui/skin/hover.h"

class QFileSystemWatcher;
class QSocketNotifier;
class QTimer;

namespace corvaline::gui {
// How long the pointer rests on a picture button before it lights up.
inline constexpr int kHoverRestMs = 10;
}

namespace corvaline::gui {

class MainWindow;
struct AdvancedPageHost;

inline constexpr char kTrayTip[] = "Gaming Mouse Setting";
inline constexpr char kWebSite[] = "https://corvaline.example/";
inline constexpr char kReaderFailedText[] = "CreateEvent failed.";
inline constexpr char kMonitorFailedText[] = "RegisterDeviceNotification failed!!!";
// Polling period of the hot-plug check where the backend has no descriptor.
inline constexpr int kDevicePollMs = 1000;

struct ShellOptions {
  // False on desktops without a notification area: the window is shown at
  // start, has a taskbar entry, and closing it ends the program.
  bool trayResident = true;
  // Ends the event loop with this code (ExitProgram); tests record it instead.
  std::function<void(int)> terminate;
  // Opens an address in the browser; tests record it instead.
  std::function<void(const QString&)> openUrl;
  // Period of the hot-plug check where the backend has no descriptor.
  int devicePollMs = kDevicePollMs;
  // Asks a question with these buttons and returns the index of the one
  // chosen, -1 when the question was closed; a message box unless set.
  std::function<int(const QString& text, const QStringList& buttons)> ask;
  // The installed Skins folder, drawn from when the data folder's skins
  // cannot be shown; empty: none.
  QString installedSkins;
};

class Shell : public QObject, public WindowActions {
  Q_OBJECT
 public:
  Shell(std::unique_ptr<DeviceService> device, TrayPort& tray, ShellOptions options,
        QObject* parent = nullptr);
  ~Shell() override;

  // The start-up sequence; the data paths must be set (SetDataFiles) before.
  void Start();

  // The page contents arrive with their pages; the shell owns none.
  void SetPageContent(Page page, PageContent* content);
  void SetPointerSettings(PointerSettings* pointer) { pointer_ = pointer; }
  void SetSkinChooser(std::function<void()> chooser) { chooseSkin_ = std::move(chooser); }
  // While the Advanced page is shown and this returns true (a macro
  // recording holds the keyboard), key presses reach no control.
  void SetRecordingQuery(std::function<bool()> recording);

  // After a skin change: the page on show is composed again from the new
  // skin, its controls made anew.
  void RecomposeCurrentPage();
  // Brings the window to the front and shows it.
  void PresentWindow();

  // Receives an event code from the device link on any thread; the balloon
  // is raised on the GUI thread before this returns.
  void NotifyDevice(int code, int value);

  // The named profile the mouse holds, by the one rule everybody asks: the
  // status line, the tray's Profiles menu and the automatic switch.
  const ProfileOnMouse& OnMouse() const { return onMouse_; }
  // The profile `name` was just loaded into the files and the program: it
  // goes to the mouse as OK sends it, and once all went, the mouse holds
  // that profile. False when nothing was sent (no mouse, nothing loaded).
  bool SendLoadedProfile(const QString& name);
  // `block` is the settings of the profile `name` (just saved): when the
  // mouse holds them, it holds that profile.
  void NameProfileIfHeld(const QString& name, const SettingsBlock& block);
  // What the status line of the bottom bar tells; the line whole, and as
  // far as it is drawn (cut with "…" where it is wider than its place).
  StatusFacts Status() const;
  QString StatusText() const;
  QString ShownStatusText() const { return shownStatus_; }

  MainWindow& Window() { return *window_; }
  BasicPage& Basic() { return *basicPage_; }
  DeviceService& Device() { return *device_; }
  ItemTexts& Items() { return items_; }
  const UiFonts& Fonts() const { return fonts_; }
  // What the Advanced page draws on and edits: this window, its fonts, and
  // the process-wide settings and record.ini.
  AdvancedPageHost AdvancedHost();
  UiLanguage Language() const { return language_; }
  bool RefreshOnShow() const { return refreshOnShow_; }
  bool BasicPageBuilt() const { return basicPageBuilt_; }
  bool NoSkin() const { return noSkin_; }
  // The working block, its snapshot and what counts as an edit.
  EditSession& Session() { return session_; }
  const EditSession& Session() const { return session_; }
  bool HasUnappliedEdits() const override { return session_.HasUnappliedEdits(); }
  // Another program changed config.bin while edits were unapplied.
  bool OutsideChangePending() const { return outsideChange_; }
  const HoverTracker& Hover() const { return hover_; }

  // Hover feedback: the pointer moved to `position`, or rested there.
  void OnPointerMoved(QPoint position);
  void OnPointerRested();

  // WindowActions
  bool DeviceReady() const override;
  Page CurrentPage() const override { return currentPage_; }
  PageRegions* RegionsOf(Page page) override;
  bool ApplySettingsNow() override;
  void ApplyRefused() override;
  void HideWindow() override;
  void ChooseSkin() override;
  void ExitProgram() override;
  void ShowBasicPage() override;
  void ShowAdvancedPage() override;
  void CancelEdits() override;
  void OpenWebSite() override;

  // The tray icon's left click (button released or double click).
  void OnTrayClicked();
  // The window comes back from the taskbar (desktops without a tray): the
  // same page refresh as an opening from the tray.
  void OnWindowRestored();

 signals:
  // The short result of an Apply went up on the status line; a screen
  // reader speaks it after the key (the accessibility layer listens).
  void applyNoteShown(const QString& note);

 private slots:
  void ShowBalloonFor(int code, int value);
  void ShowDeviceNotice(int code, int value);

 private:
  // Which pages' controls LeavePage removes: both for the transient value.
  enum class Leaving { Basic, Advanced, Both };
  void LeavePage(Leaving which);
  void ComposeCommonParts(Page page);
  void PrepareBasicPageOnce();
  void LoadTextsAndSkin();
  void LoadCaptions();
  void LoadSkin();
  void StartDeviceWatch();
  void PrepareOpening();
  void OnDeviceChange();
  void OnMouseArrivedReady();
  void DrawWindowButtons();
  void ReportApplyResult(const ApplyReport& report);
  int Ask(const QString& text, const QStringList& buttons);
  bool ConfirmClose();
  // OK and Apply; `profile` names the settings when they are a profile's.
  bool ApplyEdits(const std::string& profile = {});
  void WatchConfigFile();
  void OnConfigFileChanged();
  void ForgetDeletedProfile();
  void ReloadConfigFile();
  bool MergeOutsideChange();
  void DrawHoverRedraws(const std::vector<HoverRedraw>& redraws);
  // The window's own controls: the band above the pages, then the one below.
  std::vector<PageControl> WindowControls();
  // Before any page (no mouse yet) only these are on the canvas, the band
  // above without its page tabs: OK, Apply, Cancel, the link and the tabs
  // come with the pages.
  std::vector<PageControl> BareWindowControls();
  // The window's picture buttons, then the pages' ones.
  std::vector<HoverElement> HoverElements();
  void UpdateStatus();
  void ShowApplyNote(const std::string& note);

  EditSession session_{Settings()};
  std::unique_ptr<DeviceService> device_;
  TrayPort& tray_;
  ShellOptions options_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<BasicPage> basicPage_;
  PageContent* basicContent_ = nullptr;
  PageContent* advancedContent_ = nullptr;
  PointerSettings* pointer_ = nullptr;
  NoPointerSettings noPointer_;
  std::function<void()> chooseSkin_;
  QSocketNotifier* monitorNotifier_ = nullptr;
  QTimer* monitorTimer_ = nullptr;
  // The window's picture buttons and the pages' ones; a page's content draws
  // the texts over its own.
  HoverTracker hover_{std::vector<HoverElement>{}};  // filled by the constructor
  QTimer* hoverTimer_ = nullptr;
  QPoint hoverPoint_;

  UiLanguage language_ = UiLanguage::EN;
  BalloonTexts balloonTexts_;
  ItemTexts items_;
  UiFonts fonts_;
  Page currentPage_ = Page::None;
  bool basicPageBuilt_ = false;
  bool refreshOnShow_ = false;
  // No skin could be loaded: the window only explains why; no page is drawn.
  bool noSkin_ = false;
  // The last "mouse found" / "mouse missing" notice: every HID collection of
  // the mouse reports its own arrival and removal, but the user is told once.
  int lastPresenceNotice_ = 0;
  // The window went out of sight because the mouse went away.
  bool concealedByLoss_ = false;
  QFileSystemWatcher* configWatcher_ = nullptr;
  QTimer* configSettle_ = nullptr;
  // config.bin as this program last loaded or saved it.
  QByteArray knownConfig_;
  bool outsideChange_ = false;
  // The status line: the stage the mouse's own button chose (0: not
  // reported since the mouse came), the profile on the mouse, and the result
  // of the last OK/Apply while it is shown.
  int dpiStage_ = 0;
  ProfileOnMouse onMouse_;
  std::string applyNote_;
  QTimer* applyNoteTimer_ = nullptr;
  QString shownStatus_;
};

}  // namespace corvaline::gui
