// The status line of the bottom bar on a running shell: it follows the
// mouse's own DPI button and the connection, says what OK/Apply did for a
// moment, and stays inside its place in every language, skin and ratio.
#include <filesystem>

#include "core/device/protocol.h"
#include "core/settings/data_paths.h"
#include "core/settings/ini_file.h"
#include "eventually.h"
#include "gui/shell/main_window.h"
#include "gui/skin/skin_scale.h"
#include "gui/skin/skin_text.h"
#include "shell_fixture.h"

namespace corvaline::gui::testing {
namespace {

using namespace std::chrono_literals;
using testing_support::Eventually;

// The condition, asked after the event loop ran: the reader's events and the
// note's timer arrive through it.
std::function<bool()> Pumped(std::function<bool()> done) {
  return [done] {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
  };
}

TEST_F(ShellTest, StatusFollowsTheMouseAndShowsWhatApplyDidForAMoment) {
  WriteDataFiles("EN");
  MakeShell();
  shell->Start();
  emit tray.leftClicked();
  EXPECT_EQ(shell->StatusText(), "Connected");
  ASSERT_TRUE(mouse->RaiseEvent(kEventDpiStage, 2));
  ASSERT_TRUE(Eventually("the DPI stage in the status", 5s, Pumped([&] { return shell->Status().dpiStage == 2; }),
                         [&] { return shell->StatusText().toStdString(); }));
  const QString stage = shell->StatusText();
  EXPECT_TRUE(stage.startsWith("Connected · DPI 2: ")) << stage.toStdString();

  shell->Window().ClickAt(700, 630);  // Apply
  EXPECT_EQ(shell->StatusText(), "Applied");
  ASSERT_TRUE(Eventually("the Apply note to go", 20s, Pumped([&] { return shell->StatusText() == stage; }),
                         [&] { return shell->StatusText().toStdString(); }));

  mouse->Unplug();
  ASSERT_TRUE(Eventually("the status to see the mouse go", 5s, Pumped([&] { return shell->StatusText() == "No mouse"; }),
                         [&] { return shell->StatusText().toStdString(); }));
  shell->Window().ClickAt(600, 630);  // OK sends nothing, and says why
  EXPECT_EQ(shell->StatusText(), "Not sent: no mouse");
  mouse->Plug();
  ASSERT_TRUE(Eventually("the mouse to come back", 5s, Pumped([&] { return shell->DeviceReady(); })));
  EXPECT_EQ(shell->Status().dpiStage, 0);  // its stage is its own again
}

// The longest line a mouse gives (stage 4, a profile name of the longest
// kept length in wide letters) changes no pixel outside its rectangle, and
// the shortening never eats into connection and stage.
TEST_F(ShellTest, StatusStaysInItsPlaceInEveryLanguageSkinAndRatio) {
  const QRect place = ToQRect(regions::kStatusLine);
  for (const char* skin : {"Carbon", "Frost"}) {
    for (qreal ratio : {1.0, 2.0}) {
      for (const char* language : {"EN", "CHS", "CHT"}) {
        SCOPED_TRACE(std::string(skin) + " " + language + (ratio > 1 ? " 2x" : " 1x"));
        struct RatioBack {
          ~RatioBack() { SetSkinPixelRatio(1.0); }
        } back;
        SetSkinPixelRatio(ratio);
        WriteDataFiles(language);
        std::filesystem::create_directory_symlink(std::string(CORVALINE_GENERATED_DATA_DIR "/Skins/") + skin,
                                                  DataFiles().skinsFolder / skin);
        EXPECT_TRUE(IniWriteString(DataFiles().strIni, "Skins", "Path", skin));
        MakeShell();
        shell->Start();
        emit tray.leftClicked();
        shell->NotifyDevice(kEventDpiStage, 4);
        EXPECT_EQ(shell->ShownStatusText(), shell->StatusText()) << "cut without a profile";
        const QString withoutProfile = shell->StatusText();
        const QImage before = shell->Window().Canvas()->copy();
        shell->NameProfileIfHeld(QString(16, QChar(language[0] == 'E' ? u'W' : u'鼠')), Settings().savedSettings);
        EXPECT_TRUE(shell->ShownStatusText().startsWith(withoutProfile)) << shell->ShownStatusText().toStdString();
        const QImage& after = *shell->Window().Canvas();
        int outside = 0, inside = 0;
        for (int y = 0; y < after.height(); ++y) {
          for (int x = 0; x < after.width(); ++x) {
            if (after.pixel(x, y) == before.pixel(x, y)) continue;
            (place.contains(QPoint(static_cast<int>(x / ratio), static_cast<int>(y / ratio))) ? inside : outside) += 1;
          }
        }
        EXPECT_EQ(outside, 0);
        EXPECT_GT(inside, 0) << "the profile was not drawn";
        shell.reset();
        std::filesystem::remove_all(DataFiles().skinsFolder);
      }
    }
  }
}

}  // namespace
}  // namespace corvaline::gui::testing
