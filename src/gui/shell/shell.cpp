#include "gui/shell/shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <cstdlib>
#include <string>

#include "core/i18n/fonts.h"
#include "core/i18n/ui_strings.h"
#include "core/macros/record_store.h"
#include "core/profiles/caption_repair.h"
#include "core/settings/config_file.h"
#include "core/settings/data_paths.h"
#include "core/settings/utf8_paths.h"
#include "core/settings/value_tables.h"
#include "gui/skin/message_sink.h"
#include "gui/pages/advanced_page.h"
#include "gui/shell/app_icon.h"
#include "gui/shell/main_window.h"
#include "gui/skin/child_colours.h"
#include "gui/skin/skin_files.h"
#include "gui/skin/skin_image.h"
#include "gui/skin/skin_state.h"
#include "gui/skin/skin_text.h"

namespace corvaline::gui {

namespace {

// The folder name a "Path" value stands for: blanks and line ends around it
// (an INI file edited on another system may end its lines in CR CR LF) are
// no part of it, and a value that would leave the skins folder names none.
QString SkinFolderName(const QString& value, const QString& fallback) {
  const QString name = value.trimmed();
  if (name.isEmpty() || name == "." || name == ".." || name.contains('/') || name.contains('\\'))
    return fallback;
  return name;
}

// A plain decimal conversion: leading blanks and a sign, then the digits up
// to the first other character; text that is not a number gives 0. The byte
// keeps the low eight bits of the number, so "256" is 0 and "-1" is 255, and
// no length of digits can overflow.
std::uint8_t ColourByte(const std::string& text) {
  std::size_t i = text.find_first_not_of(" \t");
  if (i == std::string::npos) return 0;
  const bool negative = text[i] == '-';
  if (text[i] == '-' || text[i] == '+') ++i;
  unsigned value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = (value * 10 + static_cast<unsigned>(text[i] - '0')) & 0xFF;
  return static_cast<std::uint8_t>(negative ? (0x100 - value) & 0xFF : value);
}

}  // namespace

Shell::Shell(std::unique_ptr<DeviceService> device, TrayPort& tray, ShellOptions options,
             QObject* parent)
    : QObject(parent), device_(std::move(device)), tray_(tray), options_(std::move(options)) {
  // The end comes through the event loop, so everything made in main goes
  // the proper way: the lock, the tray icon, the desktop's focus watchers.
  if (!options_.terminate) options_.terminate = [](int code) { QCoreApplication::exit(code); };
  if (!options_.openUrl) options_.openUrl = [](const QString& url) {
    QDesktopServices::openUrl(QUrl(url));
  };
  window_ = std::make_unique<MainWindow>(*this, options_.trayResident);
  BasicPageHost basic;
  basic.window = window_.get();
  basic.canvas = [this] { return window_->Canvas(); };
  basic.repaint = [this] { window_->update(); };
  basic.items = &items_;
  basic.fonts = &fonts_;
  basic.sensorType = [this] { return device_->SensorType(); };
  basic.block = &Settings().settings;
  basicPage_ = std::make_unique<BasicPage>(std::move(basic));
  basicContent_ = basicPage_.get();
  connect(&tray_, &TrayPort::leftClicked, this, &Shell::OnTrayClicked);
  connect(&tray_, &TrayPort::exitChosen, this, &Shell::ExitProgram);
  connect(window_.get(), &MainWindow::restored, this, &Shell::OnWindowRestored);
  connect(window_.get(), &MainWindow::pointerMoved, this, &Shell::OnPointerMoved);
  hoverTimer_ = new QTimer(this);
  hoverTimer_->setSingleShot(true);
  hoverTimer_->setInterval(kHoverRestMs);
  connect(hoverTimer_, &QTimer::timeout, this, &Shell::OnPointerRested);
  hover_ = HoverTracker(HoverElements());
  device_->SetNotify([this](int code, int value) { NotifyDevice(code, value); });
}

Shell::~Shell() {
  device_->SetNotify({});
  device_->Close();
}

void Shell::Start() {
  window_->setWindowIcon(AppIcon());
  // The language and its texts come before the tray and the mouse: the
  // arrival or absence balloon of the start-up is already in this language.
  language_ = ReadLanguage(DataFiles().strIni);
  SetCurrentLanguage(language_);
  balloonTexts_ = BalloonTextsFor(language_);

  tray_.ShowIcon(AppIcon(), QString::fromLatin1(kTrayTip), Utf8(UiText(MainText::TrayExit, language_)));
  device_->OpenMouse();

  // A missing reader or hot-plug monitor is reported, then the start-up goes
  // on: the window must still get its settings and skin.
  if (!device_->CreateReader())
    ShowMessage(kReaderFailedText, kAppTitle);
  else if (device_->Ready())
    device_->ResumeReader();
  StartDeviceWatch();

  if (const LoadedSettings loaded = LoadSettings(Settings(), DataFiles().configBin, DataFiles().factoryConfigBin);
      !loaded.notice.empty())
    ShowMessage(loaded.notice, kAppTitle);
  session_.MarkSaved();
  // Nothing is sent at start: the mouse holds what the last run sent with
  // its last Apply, which the file has.
  if (Settings().loaded) onMouse_.AssumeHeld(Settings().savedSettings);
  WatchConfigFile();
  ShowIfFailed(RepairUnreadableStrIni(DataFiles().strIni, Settings().settings, language_, DataFiles().recordIni));
  LoadTextsAndSkin();
  if (device_->Ready()) ShowBasicPage();
  UpdateStatus();
  if (!options_.trayResident) window_->Present();
}

// Captions saved with another block than the working one (a save cut short
// between the two files) are made anew from the buttons' functions.
void Shell::LoadCaptions() {
  LoadItemTexts(DataFiles().strIni, language_, items_);
  MendOutdatedCaptions(items_, Settings().settings, language_, ListMacroNames(DataFiles().recordIni));
}

void Shell::LoadTextsAndSkin() {
  LoadCaptions();
  LoadSkin();
  SetTextColour(QColor(ColourByte(items_.red), ColourByte(items_.green), ColourByte(items_.blue)));
  fonts_.normal = ToQFont(UiFontFor(FontRole::Normal, language_));
  fonts_.bold = ToQFont(UiFontFor(FontRole::Bold, language_));
  DrawWindowButtons();
}

// The chosen skin, else the delivered one (saying so once), from the data
// folder or else as installed, else a plain window that explains why and can
// still be closed.
void Shell::LoadSkin() {
  const QString skins = QString::fromStdString(Utf8FromPath(DataFiles().skinsFolder));
  const QString delivered = Utf8(kDefaultSkinName);
  const QString chosen = SkinFolderName(QString::fromStdString(items_.skinPath), delivered);
  QString problem;
  QImage canvas = LoadMainCanvasFrom(skins + "/" + chosen, &problem);
  QString used = chosen, folder = skins + "/" + chosen;
  if (canvas.isNull()) {
    QString deliveredProblem;
    for (const QString& root : {skins, options_.installedSkins}) {
      if (!canvas.isNull() || root.isEmpty() || (root == skins && chosen == delivered)) continue;
      canvas = LoadMainCanvasFrom(root + "/" + delivered, &deliveredProblem);
      folder = root + "/" + delivered;
    }
    if (!canvas.isNull()) {
      used = delivered;
      ShowMessage(Utf8(UiText(ShellText::SkinReplaced, language_)).arg(chosen, problem, delivered).toStdString(),
                  kAppTitle);
    } else {
      QString reasons = chosen + ": " + problem;
      if (chosen != delivered) reasons += "\n" + delivered + ": " + deliveredProblem;
      canvas = NoSkinCanvas(Utf8(UiText(ShellText::NoSkin, language_)).arg(reasons, skins));
      noSkin_ = true;
      folder = skins + "/" + chosen;
    }
  }
  SetSkinFolder(folder);
  SetSkinName(used);
  LoadSkinColours(SkinFolder());
  window_->SetCanvas(std::move(canvas));
}

// Before any page is composed (no mouse yet) the window's own buttons still
// work, so they are drawn over the bare "/main.png" too.
void Shell::DrawWindowButtons() {
  if (QImage* canvas = window_->Canvas()) DrawPictureControls(BareWindowControls(), *canvas, fonts_.normal);
}

void Shell::StartDeviceWatch() {
  if (!device_->StartMonitor()) {
    ShowMessage(kMonitorFailedText, kAppTitle);
    return;
  }
  const int fd = device_->MonitorHandle();
  if (fd >= 0) {
    monitorNotifier_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(monitorNotifier_, &QSocketNotifier::activated, this, &Shell::OnDeviceChange);
  } else {
    monitorTimer_ = new QTimer(this);
    connect(monitorTimer_, &QTimer::timeout, this, &Shell::OnDeviceChange);
    monitorTimer_->start(options_.devicePollMs);
  }
}

void Shell::OnDeviceChange() {
  const bool lost = device_->HandleDeviceChanges([this] { OnMouseArrivedReady(); });
  if (lost) dpiStage_ = 0;  // a mouse that comes back starts on a stage of its own
  UpdateStatus();
  if (!lost) return;
  if (!options_.trayResident) {
    if (!window_->isVisible() || window_->isMinimized()) return;
    concealedByLoss_ = true;
  }
  window_->Conceal();
}

void Shell::OnMouseArrivedReady() {
  // The reader waits for the first arrival that finds the mouse ready while
  // the Basic page has not been built yet.
  if (!basicPageBuilt_) device_->ResumeReader();
  if (options_.trayResident) return;
  // Without a tray there is no icon to click: the arrival itself does what
  // the click would, and brings back a window that the loss put away.
  PrepareOpening();
  if (concealedByLoss_) window_->Present();
  concealedByLoss_ = false;
}

void Shell::NotifyDevice(int code, int value) {
  if (QThread::currentThread() == thread())
    ShowDeviceNotice(code, value);
  else
    QMetaObject::invokeMethod(this, "ShowDeviceNotice", Qt::BlockingQueuedConnection,
                              Q_ARG(int, code), Q_ARG(int, value));
}

void Shell::ShowDeviceNotice(int code, int value) {
  if (code == kEventDpiStage && value >= 1 && value <= kDpiStageCount) dpiStage_ = value;
  if (code == kNotifyMouseNotUsable) dpiStage_ = 0;
  UpdateStatus();
  if (code == kNotifyMouseReady || code == kNotifyMouseNotUsable) {
    if (code == lastPresenceNotice_) return;
    lastPresenceNotice_ = code;
  }
  ShowBalloonFor(code, value);
}

void Shell::ShowBalloonFor(int code, int value) {
  const SettingsBlock& s = Settings().settings;
  const int sensor = device_->SensorType();
  auto stageDpi = [&s, sensor](int stage) {
    return std::string(DpiLabel(sensor, s.dpiStageIndex[stage]));
  };
  if (auto balloon = BalloonFor(code, value, balloonTexts_, stageDpi))
    tray_.ShowBalloon(Utf8(balloon->title), Utf8(balloon->text), balloon->timeoutMs);
}

void Shell::OnTrayClicked() {
  if (!device_->Ready()) {
    ShowBalloonFor(kNotifyMouseNotUsable, 0);
    return;
  }
  PrepareOpening();
  window_->Present();
}

void Shell::OnWindowRestored() {
  if (device_->Ready()) PrepareOpening();
}

// Before the window opens: after a Cancel the page on show is composed again
// so it shows the restored settings; the very first opening builds the Basic
// page.
void Shell::PrepareOpening() {
  if (refreshOnShow_) {
    refreshOnShow_ = false;
    if (currentPage_ == Page::Basic) {
      LeavePage(Leaving::Basic);
      LoadCaptions();
      currentPage_ = Page::None;
      ShowBasicPage();
    } else if (currentPage_ == Page::Advanced) {
      LeavePage(Leaving::Advanced);
      currentPage_ = Page::None;
      ShowAdvancedPage();
    }
  } else if (!basicPageBuilt_) {
    ShowBasicPage();
  }
}

bool Shell::DeviceReady() const { return device_->Ready(); }

PageRegions* Shell::RegionsOf(Page page) {
  if (page == Page::Basic) return basicContent_;
  if (page == Page::Advanced) return advancedContent_;
  return nullptr;
}

void Shell::SetPageContent(Page page, PageContent* content) {
  (page == Page::Basic ? basicContent_ : advancedContent_) = content;
}

void Shell::HideWindow() { window_->Conceal(); }

void Shell::ChooseSkin() {
  if (chooseSkin_) chooseSkin_();
}

void Shell::CancelEdits() {
  // After another program changed config.bin, what Cancel returns to is that
  // file, not the older snapshot.
  if (outsideChange_)
    ReloadConfigFile();
  else
    session_.Cancel();
  refreshOnShow_ = true;
}

void Shell::OpenWebSite() { options_.openUrl(QString::fromLatin1(kWebSite)); }

void Shell::ExitProgram() {
  // Nothing is saved on the way out: settings reach the disk only by OK/Apply,
  // so unapplied edits are offered for one first.
  if (!ConfirmClose()) return;
  device_->SetNotify({});
  device_->Close();
  tray_.RemoveIcon();
  options_.terminate(0);
}

AdvancedPageHost Shell::AdvancedHost() {
  AdvancedPageHost host;
  host.window = window_.get();
  host.canvas = [this] { return window_->Canvas(); };
  host.repaint = [this] { window_->update(); };
  host.fonts = &fonts_;
  host.session = &session_;
  host.recordIni = DataFiles().recordIni;
  return host;
}

}  // namespace corvaline::gui
