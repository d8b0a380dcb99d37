#include "shell_fixture.h"

#include <QImage>
#include <QThread>
#include <fstream>

#include "core/settings/config_file.h"
#include "core/settings/data_paths.h"
#include "core/settings/ini_file.h"
#include "gui/shell/link_device_service.h"
#include "sim/in_process_backend.h"

namespace corvaline::gui::testing {

std::uint8_t ConfigByte(std::size_t offset) {
  std::ifstream in(DataFiles().configBin, std::ios::binary);
  in.seekg(static_cast<std::streamoff>(offset));
  return static_cast<std::uint8_t>(in.get());
}

QApplication& App() {
  static int argc = 1;
  static char name[] = "test_gui_app";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  return *app;
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(5);
  }
  return true;
}

namespace {

void SaveImage(const QString& path, int w, int h, QColor colour) {
  QImage image(w, h, QImage::Format_ARGB32);
  image.fill(colour);
  ASSERT_TRUE(image.save(path));
}

}  // namespace

void ShellTest::SetUp() {
  App();
  ASSERT_TRUE(dir.isValid());
  Settings() = SettingsStore{};
  SetMessageSink(&sink);
  mouse = std::make_shared<sim::VirtualMouse>();
  link.sleeper = &noSleep;
}

void ShellTest::TearDown() {
  shell.reset();
  SetMessageSink(nullptr);
}

void ShellTest::WriteDataFiles(const std::string& language, bool withMainPng) {
  const std::filesystem::path root = dir.path().toStdString();
  DataPaths paths;
  paths.programFolder = root;
  paths.configBin = root / "config.bin";
  paths.recordIni = root / "record.ini";
  paths.strIni = root / "str.ini";
  paths.skinsFolder = root / "Skins";
  SetDataFiles(paths);

  EXPECT_TRUE(IniWriteString(paths.strIni, "Skins", "Lan", language));
  EXPECT_TRUE(IniWriteString(paths.strIni, "Skins", "RColor", "255"));
  EXPECT_TRUE(IniWriteString(paths.strIni, "Skins", "GColor", "12abc"));  // digits before the rest count
  EXPECT_TRUE(IniWriteString(paths.strIni, "Skins", "BColor", "blue"));   // not a number: 0
  EXPECT_TRUE(IniWriteString(paths.strIni, "Skins", "Path", "Test"));

  SettingsStore file;
  file.firstRunFlag = 1;
  file.settings.reportRateCode = 2;
  file.settings.dpiStageEnabled[0] = 1;
  std::ofstream out(paths.configBin, std::ios::binary);
  out.put(static_cast<char>(file.firstRunFlag));
  out.write(reinterpret_cast<const char*>(&file.settings), sizeof(SettingsBlock));
  out.close();

  const QString skin = dir.path() + "/Skins/Test";
  ASSERT_TRUE(QDir().mkpath(skin));
  if (withMainPng) SaveImage(skin + "/main.png", 880, 660, Qt::darkGray);
  SaveImage(skin + "/BasicSet2.png", 880, 660, QColor(0, 0, 200));
  SaveImage(skin + "/AdvancedSet2.png", 880, 660, QColor(0, 200, 0));
}

void ShellTest::MakeShell(bool trayResident) {
  MakeShell(std::make_unique<LinkDeviceService>(sim::CreateInProcessHidBackend(mouse), link),
            trayResident);
}

void ShellTest::MakeShell(std::unique_ptr<DeviceService> device, bool trayResident) {
  ShellOptions options;
  options.trayResident = trayResident;
  options.terminate = [this](int code) { exitCodes.push_back(code); };
  options.openUrl = [this](const QString& url) { openedUrls.push_back(url); };
  options.devicePollMs = 5;
  options.installedSkins = installedSkins;
  options.ask = [this](const QString& text, const QStringList& buttons) {
    questions.push_back(text);
    questionButtons = buttons;
    if (answers.empty()) return -1;
    const int answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  };
  shell = std::make_unique<Shell>(std::move(device), ownTray ? *ownTray : tray, options);
}

std::vector<std::string> ShellTest::MessageTexts() const {
  std::vector<std::string> texts;
  for (const auto& m : sink.messages) texts.push_back(m.first);
  return texts;
}

std::unique_ptr<AdvancedPage> AttachAdvancedPage(Shell& shell, PointerBackend& desktop) {
  auto page = std::make_unique<AdvancedPage>(shell.AdvancedHost(), desktop,
                                             [](QWidget*) { return std::optional<DelayResult>(); });
  shell.SetPageContent(Page::Advanced, page.get());
  shell.SetPointerSettings(&page->Pointer());
  return page;
}

}  // namespace corvaline::gui::testing
