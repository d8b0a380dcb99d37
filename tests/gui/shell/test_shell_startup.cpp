// Start-up with and without the mouse, a mouse arriving later, skins that
// cannot be loaded, and start-up steps that fail.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/settings/data_paths.h"
#include "core/settings/ini_file.h"

#include "core/settings/settings_block.h"
#include "gui/shell/main_window.h"
#include "gui/skin/skin_state.h"
#include "shell_fixture.h"

namespace corvaline::gui::testing {
namespace {


TEST_F(ShellTest, StartsHiddenInTheTrayWithTheMouseReady) {
  WriteDataFiles("EN");
  MakeShell();
  shell->Start();

  EXPECT_TRUE(tray.iconShown);
  EXPECT_EQ(tray.tip, "Gaming Mouse Setting");
  EXPECT_EQ(tray.exitText, "Exit");
  ASSERT_EQ(tray.balloons.size(), 1u);
  EXPECT_EQ(tray.balloons[0].text, "The system detect the gaming mouse.");
  EXPECT_FALSE(shell->Window().isVisible());

  // Settings loaded and snapshotted, the skin sizes the window, the colour
  // strings are converted, the Basic page is composed over the canvas.
  EXPECT_EQ(Settings().settings.reportRateCode, 2);
  EXPECT_EQ(Settings().savedSettings.reportRateCode, 2);
  EXPECT_EQ(shell->Window().size(), QSize(880, 660));
  EXPECT_EQ(TextColour(), QColor(255, 12, 0));
  EXPECT_EQ(shell->CurrentPage(), Page::Basic);
  EXPECT_TRUE(shell->BasicPageBuilt());
  EXPECT_EQ(shell->Window().Canvas()->pixelColor(2, 200), QColor(0, 0, 200));
  EXPECT_TRUE(sink.messages.empty());

  // The reader runs: an event of the mouse becomes a balloon.
  ASSERT_TRUE(mouse->RaiseEvent(8, 2));
  ASSERT_TRUE(WaitFor([&] { return tray.balloons.size() == 2; }));
  EXPECT_EQ(tray.balloons[1].text, "Switch to key matrix 2");

  // The tray opens the window.
  emit tray.leftClicked();
  EXPECT_TRUE(shell->Window().isVisible());
}

TEST_F(ShellTest, WithoutTheMouseOnlyTheWarningAndNoWindow) {
  WriteDataFiles("EN");
  mouse->Unplug();
  MakeShell();
  shell->Start();

  ASSERT_EQ(tray.balloons.size(), 1u);
  EXPECT_EQ(tray.balloons[0].title, "Warning");
  EXPECT_EQ(tray.balloons[0].text, "The system did not detect the gaming mouse!");
  EXPECT_EQ(shell->CurrentPage(), Page::None);
  EXPECT_FALSE(shell->BasicPageBuilt());
  // Settings and skin are still loaded.
  EXPECT_EQ(Settings().savedSettings.reportRateCode, 2);
  EXPECT_EQ(shell->Window().size(), QSize(880, 660));

  // Each left click on the icon only repeats the warning.
  emit tray.leftClicked();
  emit tray.leftClicked();
  EXPECT_EQ(tray.balloons.size(), 3u);
  EXPECT_EQ(tray.balloons[2].title, "Warning");
  EXPECT_FALSE(shell->Window().isVisible());
}

TEST_F(ShellTest, MouseArrivingAfterStartOpensAndStartsTheReader) {
  WriteDataFiles("EN");
  mouse->Unplug();
  MakeShell();
  shell->Start();
  ASSERT_EQ(tray.balloons.size(), 1u);

  mouse->Plug();
  ASSERT_TRUE(WaitFor([&] { return shell->DeviceReady(); }));
  EXPECT_EQ(tray.balloons.back().text, "The system detect the gaming mouse.");

  const size_t before = tray.balloons.size();
  ASSERT_TRUE(mouse->RaiseEvent(9, 3));
  ASSERT_TRUE(WaitFor([&] { return tray.balloons.size() > before; }));
  EXPECT_EQ(tray.balloons.back().text, "Switch to macro key3");

  // The first opening composes the Basic page.
  emit tray.leftClicked();
  EXPECT_EQ(shell->CurrentPage(), Page::Basic);
  EXPECT_TRUE(shell->Window().isVisible());

  // Unplugged again: warning, hidden window, OK no longer sends.
  mouse->Unplug();
  ASSERT_TRUE(WaitFor([&] { return !shell->DeviceReady(); }));
  EXPECT_EQ(tray.balloons.back().title, "Warning");
  EXPECT_FALSE(shell->Window().isVisible());
}

// A PNG whose header claims width x height: nothing past the header is
// ever read for a picture beyond the limits.
void SavePngHeader(const QString& path, quint32 width, quint32 height) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  QImage(1, 1, QImage::Format_RGB32).save(&buffer, "PNG");
  auto put32 = [&png](int at, quint32 v) {
    for (int i = 0; i < 4; ++i) png[at + i] = static_cast<char>(v >> (24 - 8 * i));
  };
  put32(16, width);
  put32(20, height);
  quint32 crc = 0xFFFFFFFF;  // over the chunk type and data of IHDR
  for (int i = 12; i < 29; ++i) {
    crc ^= static_cast<quint8>(png[i]);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320 & (0u - (crc & 1)));
  }
  put32(29, ~crc);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(png);
}

TEST_F(ShellTest, UnloadableSkinSaysSoOnceAndUsesTheDeliveredOne) {
  WriteDataFiles("EN");
  const QString test = dir.path() + "/Skins/Test";
  const QString carbon = dir.path() + "/Skins/Carbon";
  ASSERT_TRUE(QDir().mkpath(carbon));
  QImage delivered(880, 660, QImage::Format_RGB32);
  delivered.fill(Qt::darkCyan);
  ASSERT_TRUE(delivered.save(carbon + "/main.png"));
  QFile::copy(test + "/main.png", test + "/good.png");

  const auto truncate = [&] {
    QFile::remove(test + "/main.png");
    QFile::copy(test + "/good.png", test + "/main.png");
    QFile file(test + "/main.png");
    ASSERT_TRUE(file.resize(200));
  };
  const auto huge = [&] { SavePngHeader(test + "/main.png", 10000, 10000); };
  const auto noFolder = [&] { EXPECT_TRUE(IniWriteString(DataFiles().strIni, "Skins", "Path", "Gone")); };
  for (const auto& breakSkin : {std::function<void()>(truncate), std::function<void()>(huge),
                                std::function<void()>(noFolder)}) {
    breakSkin();
    sink.messages.clear();
    MakeShell();
    shell->Start();
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_NE(sink.messages[0].first.find("The delivered skin \"Carbon\" is shown instead"),
              std::string::npos) << sink.messages[0].first;
    EXPECT_EQ(SkinName(), "Carbon");
    EXPECT_EQ(shell->Window().size(), QSize(880, 660));
    EXPECT_EQ(shell->Window().Canvas()->pixelColor(5, 300), QColor(Qt::darkCyan));
    shell.reset();
  }
  EXPECT_NE(sink.messages[0].first.find("Gone"), std::string::npos);
}

TEST_F(ShellTest, LineEndsAroundTheSkinNameAreNoPartOfIt) {
  WriteDataFiles("EN");
  QFile ini(QString::fromStdString(DataFiles().strIni.string()));
  ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
  ini.write("[Skins]\r\nLan=EN\r\nPath=Test \t\r\r\n");
  ini.close();
  MakeShell();
  shell->Start();
  EXPECT_TRUE(sink.messages.empty());
  EXPECT_EQ(SkinName(), "Test");
  EXPECT_EQ(shell->Window().Canvas()->pixelColor(2, 200), QColor(0, 0, 200));  // Basic page
}

TEST_F(ShellTest, WithNoSkinAtAllTheWindowExplainsAndCloses) {
  WriteDataFiles("EN", /*withMainPng=*/false);
  MakeShell();
  shell->Start();
  EXPECT_TRUE(shell->NoSkin());
  EXPECT_EQ(shell->Window().size(), QSize(880, 660));
  EXPECT_EQ(shell->CurrentPage(), Page::None);
  EXPECT_EQ(shell->Window().Canvas()->pixelColor(851, 12), QColor(Qt::white));  // close button
  emit tray.leftClicked();
  ASSERT_TRUE(shell->Window().isVisible());
  shell->Window().ClickAt(860, 12);
  EXPECT_EQ(exitCodes, std::vector<int>{0});
}

TEST_F(ShellTest, ASkinTheDataFolderCannotShowIsDrawnFromTheInstalledOne) {
  WriteDataFiles("EN", /*withMainPng=*/false);
  QTemporaryDir installed;
  ASSERT_TRUE(QDir().mkpath(installed.path() + "/Carbon"));
  QImage delivered(880, 660, QImage::Format_RGB32);
  delivered.fill(Qt::darkCyan);
  ASSERT_TRUE(delivered.save(installed.path() + "/Carbon/main.png"));
  installedSkins = installed.path();
  MakeShell();
  shell->Start();
  EXPECT_FALSE(shell->NoSkin());
  EXPECT_EQ(SkinName(), "Carbon");
  EXPECT_EQ(shell->Window().Canvas()->pixelColor(5, 300), QColor(Qt::darkCyan));
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_NE(sink.messages[0].first.find("The delivered skin \"Carbon\" is shown instead"),
            std::string::npos)
      << sink.messages[0].first;
}

TEST_F(ShellTest, OversizedPageImageIsToldOnceAndNotDecoded) {
  WriteDataFiles("EN");
  SavePngHeader(dir.path() + "/Skins/Test/BasicSet2.png", 10000, 10000);
  MakeShell();
  shell->Start();
  shell->ShowAdvancedPage();
  shell->ShowBasicPage();
  ASSERT_TRUE(WaitFor([&] { return !sink.messages.empty(); }));
  WaitFor([] { return false; }, 100);
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_NE(sink.messages[0].first.find("10000 x 10000"), std::string::npos);
}

// A device service whose reader wake-up and hot-plug monitor cannot be made.
class BrokenDevice : public DeviceService {
 public:
  void SetNotify(NotifyFn notify) override { notify_ = std::move(notify); }
  bool OpenMouse() override {
    ready_ = true;
    notify_(14, 0);
    return true;
  }
  bool Ready() const override { return ready_; }
  bool CreateReader() override { return false; }
  void ResumeReader() override { ++resumed; }
  bool StartMonitor() override { return false; }
  int MonitorHandle() const override { return -1; }
  bool HandleDeviceChanges(const std::function<void()>&) override { return false; }
  int SensorType() const override { return 0; }
  void PrepareSensor() override {}
  ApplyReport ApplySettings(const ItemTexts&, UiLanguage) override { return {}; }
  void Close() override {}
  int resumed = 0;

 private:
  NotifyFn notify_;
  bool ready_ = false;
};

TEST_F(ShellTest, FailedReaderAndMonitorAreReportedAndStartUpGoesOn) {
  WriteDataFiles("EN");
  auto device = std::make_unique<BrokenDevice>();
  BrokenDevice* broken = device.get();
  MakeShell(std::move(device));
  shell->Start();

  const auto texts = MessageTexts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], "CreateEvent failed.");
  EXPECT_EQ(texts[1], "RegisterDeviceNotification failed!!!");
  EXPECT_EQ(sink.messages[0].second, "CORVALINEX01");
  EXPECT_EQ(broken->resumed, 0);
  // The window did not come up empty: settings, snapshot, skin and page.
  EXPECT_EQ(Settings().savedSettings.reportRateCode, 2);
  EXPECT_TRUE(shell->Window().HasCanvas());
  EXPECT_EQ(shell->CurrentPage(), Page::Basic);
}

TEST_F(ShellTest, ChineseLanguageReachesBalloonsAndTrayMenu) {
  WriteDataFiles("CHS");
  mouse->Unplug();
  MakeShell();
  shell->Start();
  EXPECT_EQ(tray.exitText, QString::fromUtf8("退出"));
  ASSERT_EQ(tray.balloons.size(), 1u);
  EXPECT_EQ(tray.balloons[0].text, QString::fromUtf8("系统没有检测到游戏鼠标！"));
  EXPECT_EQ(tray.balloons[0].title, "Warning");
}

}  // namespace
}  // namespace corvaline::gui::testing
