// CORVALINE Control: the tray-resident configuration program of the mouse.
#include <QApplication>
#include <QSocketNotifier>
#include <QSystemTrayIcon>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "core/device/device_link.h"
#include "core/i18n/system_language.h"
#include "core/settings/item_texts.h"
#include "core/settings/settings_block.h"
#include "core/settings/data_paths.h"
#include "core/settings/utf8_paths.h"
#include "gui/skin/message_sink.h"
#include "gui/accessibility/accessible_window.h"
#include "gui/pages/advanced_page.h"
#include "gui/tray/auto_switch.h"
#include "gui/shell/link_device_service.h"
#include "gui/shell/skin_chooser.h"
#include "gui/dialogs/delay_time_dialog.h"
#include "gui/dialogs/qt_sub_dialog_runner.h"
#include "gui/shell/main_window.h"
#include "gui/shell/message_box_sink.h"
#include "gui/tray/profiles_menu.h"
#include "gui/shell/qt_translations.h"
#include "gui/shell/shell.h"
#include "gui/shell/showcase_hook.h"
#include "gui/shell/single_instance.h"
#include "gui/tray/tray.h"
#include "gui/tray/tray_menu.h"
#include "gui/skin/skin_scale.h"
#include "platform/durable_io.h"
#include "platform/hid.h"
#include "platform/pauses.h"
#include "platform/pointer_settings.h"
#include "platform/quit_requests.h"
#include "platform/show_request.h"
#include "platform/user_folder.h"
#include "sim/in_process_backend.h"

namespace {

using namespace corvaline;

void SetUpDataFolder() {
  const std::filesystem::path exe = PathFromUtf8(QCoreApplication::applicationFilePath().toStdString());
  DataPaths paths = ResolveDataPaths(exe, platform::UserDataFolder());
  if (paths.perUserFolder) {
    // A first start speaks the system's language.
    ShowIfFailed(FillDataFolder(paths.programFolder, InstalledDefaultsFolder(exe),
                                LanguageFromLocale(LocaleFromEnvironment())));
  }
  SetDataFiles(paths);
}

// A logout's SIGTERM or a terminal's Ctrl+C ends the event loop, so what goes
// when main returns goes properly: the KWin script unloaded, the tray icon
// taken away. Watched from the loop on: a request during start-up waits in
// the descriptor and ends the loop as soon as it runs.
std::unique_ptr<QSocketNotifier> QuitOnRequest(platform::QuitRequests& requests) {
  if (requests.Descriptor() < 0) return nullptr;
  auto notifier = std::make_unique<QSocketNotifier>(requests.Descriptor(), QSocketNotifier::Read);
  QObject::connect(notifier.get(), &QSocketNotifier::activated, [&requests] {
    // exit, not quit: quit would close the window first, which asks first.
    if (requests.Take()) QCoreApplication::exit(0);
  });
  return notifier;
}

// Requests that arrive as data are served from the event loop.
std::unique_ptr<QSocketNotifier> ServeShowRequests(platform::ShowRequests* requests) {
  if (!requests || requests->Descriptor() < 0) return nullptr;
  auto notifier = std::make_unique<QSocketNotifier>(requests->Descriptor(), QSocketNotifier::Read);
  QObject::connect(notifier.get(), &QSocketNotifier::activated, [requests] { requests->Serve(); });
  return notifier;
}

}  // namespace

int main(int argc, char** argv) {
  // Answered before Qt looks for a display, so it works anywhere.
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::printf("corvaline %s\n", CORVALINE_VERSION);
    return 0;
  }
  // Read before Qt starts, which may take the variable for its own first
  // window: a second start hands the token on instead.
  const char* tokenVariable = std::getenv("XDG_ACTIVATION_TOKEN");
  const std::string activationToken = tokenVariable ? tokenVariable : "";
  QApplication app(argc, argv);
  app.setApplicationName(QStringLiteral("corvaline"));
  app.setQuitOnLastWindowClosed(false);
  // Screens above 100%: the canvases are composed from the 2x skin images.
  SetSkinPixelRatio(app.devicePixelRatio());

  // A second start asks the running one to show its window, then ends.
  gui::SingleInstance instance;
  if (!instance.Acquire()) {
    // The running program takes its lock a moment before it listens: one
    // that is still starting is asked again for up to two seconds.
    for (int tries = 0; tries < 40 && !platform::AskRunningInstanceToShow(activationToken); ++tries)
      QThread::msleep(50);
    return 0;
  }
  platform::QuitRequests quitRequests;

  gui::MessageBoxSink sink;
  SetMessageSink(&sink);
  platform::InstallSystemDurableIo();
  SetUpDataFolder();
  // Qt's own dialogs and buttons in the language of the program's texts.
  const std::unique_ptr<QTranslator> qtTexts = gui::InstallQtTranslations(ReadLanguage(DataFiles().strIni));

  const bool trayResident = QSystemTrayIcon::isSystemTrayAvailable();
  std::unique_ptr<gui::TrayPort> tray;
  if (trayResident)
    tray = std::make_unique<gui::SystemTray>();
  else
    tray = std::make_unique<gui::NotificationOnlyTray>();

  gui::ShellOptions options;
  options.trayResident = trayResident;
  options.installedSkins = QString::fromStdString(Utf8FromPath(
      InstalledDefaultsFolder(PathFromUtf8(QCoreApplication::applicationFilePath().toStdString())) /
      "Skins"));
  Link().sleeper = &platform::SystemSleeper();  // Apply's pauses on a sharpened timer
  // --simulate: a virtual mouse inside this process, for trying the program
  // (and testing it) without the mouse. Otherwise corvalinectl reaches the
  // same mouse: one of us talks to it at a time.
  const bool simulate = app.arguments().contains(QStringLiteral("--simulate"));
  Link().talkLockShared = !simulate;
  gui::Shell shell(std::make_unique<gui::LinkDeviceService>(
                       simulate ? sim::CreateInProcessHidBackend(std::make_shared<sim::VirtualMouse>())
                                : platform::CreateSystemHidBackend(),
                       Link()),
                   *tray, options);
  // Listening before the tray icon shows: a second start that sees the icon
  // finds someone to ask. Requests wait in the socket until the loop runs.
  const auto showRequests = platform::ListenForShowRequests([&shell](const std::string& token) {
    // The second start's token lets the compositor hand the focus over; Qt
    // takes it from the variable when it activates the window.
    if (!token.empty()) qputenv("XDG_ACTIVATION_TOKEN", QByteArray::fromStdString(token));
    shell.OnTrayClicked();
  });
  // The Advanced page: the desktop's pointer settings and the macro editor.
  // Declared after the shell, so it goes before the shell does.
  auto pointerBackend = platform::CreatePointerBackend();
  gui::AdvancedPage advanced(shell.AdvancedHost(), *pointerBackend, gui::RunDelayTimeDialog);
  shell.SetPageContent(gui::Page::Advanced, &advanced);
  shell.SetPointerSettings(&advanced.Pointer());
  shell.SetRecordingQuery([&advanced] { return advanced.Recording(); });

  // The button menus' sub-dialogs and the Skins dialog.
  gui::QtSubDialogRunner dialogs(&shell.Window());
  shell.Basic().SetDialogs(&dialogs);
  gui::InstallSkinChooser(shell);

  // Before the window first shows: assistive technology may ask for it then.
  gui::InstallAccessibility(shell);
  shell.Start();
  const std::unique_ptr<QSocketNotifier> showNotifier = ServeShowRequests(showRequests.get());
  gui::ProfilesMenu profiles(shell, *tray);
  gui::TrayMenuEntries trayEntries(shell, tray->ContextMenu());
  if (trayResident) gui::ShowTrayHintOnce(shell, *tray);
  gui::AutoSwitchController autoSwitch(shell, *tray, profiles, [&advanced] { return advanced.Recording(); });
  autoSwitch.StartWatching();
  gui::InstallShowcaseHook(shell);
  const std::unique_ptr<QSocketNotifier> quitNotifier = QuitOnRequest(quitRequests);
  return app.exec();
}
