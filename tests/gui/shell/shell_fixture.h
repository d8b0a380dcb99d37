// A shell on a temporary data folder with a small generated skin, a recording
// tray and message sink, and a virtual mouse in the same process.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/device/device_link.h"
#include "gui/pages/advanced_page.h"
#include "gui/skin/message_sink.h"
#include "gui/shell/shell.h"
#include "gui/tray/tray.h"
#include "sim/virtual_mouse.h"

namespace corvaline::gui::testing {

QApplication& App();

// config.bin's byte at `offset` as the data folder holds it now.
inline constexpr std::size_t kRateOffset = 1 + 1925;  // first-run byte, then reportRateCode
std::uint8_t ConfigByte(std::size_t offset);

// Runs the event loop until done() or the time is up.
bool WaitFor(const std::function<bool()>& done, int timeoutMs = 5000);

struct BalloonRecord {
  QString title, text;
  int timeoutMs;
};

class RecordingTray : public TrayPort {
 public:
  void ShowIcon(const QIcon&, const QString& tip, const QString& exitText) override {
    iconShown = true;
    this->tip = tip;
    this->exitText = exitText;
  }
  void RemoveIcon() override { iconShown = false; }
  void ShowBalloon(const QString& title, const QString& text, int timeoutMs) override {
    balloons.push_back({title, text, timeoutMs});
  }
  bool iconShown = false;
  QString tip, exitText;
  std::vector<BalloonRecord> balloons;
};

class RecordingSink : public MessageSink {
 public:
  void ShowMessage(std::string_view text, std::string_view caption) override {
    messages.emplace_back(std::string(text), std::string(caption));
  }
  std::vector<std::pair<std::string, std::string>> messages;
};

struct NoSleep : Sleeper {
  void SleepMs(int) override {}
};

// The Advanced page as the program fills it, over `desktop`'s pointer
// settings and with no delay ever chosen, made the shell's.
std::unique_ptr<AdvancedPage> AttachAdvancedPage(Shell& shell, PointerBackend& desktop);

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes str.ini ("Lan" and the skin keys) and config.bin into the folder.
  void WriteDataFiles(const std::string& language, bool withMainPng = true);
  // A shell driving the virtual mouse through the core's device link.
  void MakeShell(bool trayResident = true);
  // A shell over any device service.
  void MakeShell(std::unique_ptr<DeviceService> device, bool trayResident = true);
  std::vector<std::string> MessageTexts() const;

  QTemporaryDir dir;
  std::shared_ptr<sim::VirtualMouse> mouse;
  DeviceLink link;
  NoSleep noSleep;
  RecordingTray tray;
  RecordingSink sink;
  std::vector<int> exitCodes;
  std::vector<QString> openedUrls;
  // Questions the shell asked, and the answers given in turn (-1 once they
  // run out: the question closed).
  std::vector<QString> questions;
  QStringList questionButtons;
  std::vector<int> answers;
  QString installedSkins;  // the shell's installed Skins folder; none unless set
  // When set, the shell gets this tray instead of the recording one.
  std::unique_ptr<TrayPort> ownTray;
  std::unique_ptr<Shell> shell;
};

}  // namespace corvaline::gui::testing
