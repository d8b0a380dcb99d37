// The keyboard's focus mark on the delivered skins: on every control Tab
// reaches, in the main window's pages and in every sub-dialog that has a
// mark, at 1x and 2x, each pixel of the mark stands out from what lies under
// it by at least 3 : 1 (measured as the skin contrast test measures text).
#include <QTest>

#include <filesystem>

#include "../../core/system/fake_pointer_backend.h"
#include "core/settings/data_paths.h"
#include "core/settings/focus_mark.h"
#include "core/settings/ini_file.h"
#include "gui/accessibility/accessible_dialogs.h"
#include "gui/accessibility/accessible_focus.h"
#include "gui/accessibility/accessible_window.h"
#include "gui/dialogs/delay_time_dialog.h"
#include "gui/dialogs/fire_key_dialog.h"
#include "gui/dialogs/macro_dialog.h"
#include "gui/dialogs/media_dialog.h"
#include "gui/dialogs/skins_dialog.h"
#include "gui/dialogs/windows_dialog.h"
#include "gui/pages/advanced_page.h"
#include "gui/shell/main_window.h"
#include "gui/skin/focus_mark_paint.h"
#include "gui/skin/skin_scale.h"
#include "generated_skins.h"
#include "shell_fixture.h"

namespace corvaline::gui::testing {
namespace {

Rgb ToRgb(QRgb c) {
  return {static_cast<std::uint8_t>(qRed(c)), static_cast<std::uint8_t>(qGreen(c)),
          static_cast<std::uint8_t>(qBlue(c))};
}

QImage Drawn(QWidget& host, const QRect& area, qreal ratio) {
  QImage image((QSizeF(area.size()) * ratio).toSize(), QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  host.render(&image, QPoint(), QRegion(area));
  return image.convertToFormat(QImage::Format_RGB32);
}

// The worst contrast over the frame of the mark (2 logical pixels wide),
// between the host drawn with the mark and without it.
double WorstOfMark(QWidget& host, QWidget& mark, qreal ratio) {
  const QRect area = mark.geometry();
  const QImage with = Drawn(host, area, ratio);
  mark.hide();
  const QImage beneath = Drawn(host, area, ratio);
  mark.show();
  const int edge = kFocusMarkWidth * static_cast<int>(ratio);
  double worst = 21;
  for (int y = 0; y < with.height(); ++y)
    for (int x = 0; x < with.width(); ++x) {
      if (x >= edge && y >= edge && x < with.width() - edge && y < with.height() - edge) continue;
      worst = std::min(worst, ContrastRatio(ToRgb(with.pixel(x, y)), ToRgb(beneath.pixel(x, y))));
    }
  return worst;
}

// Tabs once round the ring of `host`, measuring the mark on every control it
// lands on; returns how many there were.
int WalkRing(QWidget& host, const std::string& where, qreal ratio) {
  auto* mark = host.findChild<QWidget*>(QStringLiteral("focusMark"), Qt::FindDirectChildrenOnly);
  EXPECT_NE(mark, nullptr) << where;
  if (!mark) return 0;
  QRect first;
  for (int count = 0; count < 200; ++count) {
    QTest::keyClick(&host, Qt::Key_Tab);
    EXPECT_TRUE(mark->isVisible()) << where;
    if (count > 0 && mark->geometry() == first) return count;
    if (count == 0) first = mark->geometry();
    const double worst = WorstOfMark(host, *mark, ratio);
    const QRect r = mark->geometry();
    EXPECT_GE(worst, kFocusMarkContrast)
        << where << ": mark at " << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
  }
  ADD_FAILURE() << where << ": Tab never came round";
  return 0;
}

template <typename Dialog, typename... Args>
void WalkDialog(const std::string& where, qreal ratio, Args... args) {
  Dialog dialog(args...);
  dialog.show();
  EXPECT_GE(WalkRing(dialog, where, ratio), 3) << where;  // OK, Cancel and the close box at least
}

class FocusMarkContrastTest : public ShellTest {
 protected:
  void StartOn(const std::string& skin) {
    WriteDataFiles("EN");
    std::filesystem::create_directory_symlink((kSkins + "/").toStdString() + skin,
                                              DataFiles().skinsFolder / skin);
    ASSERT_TRUE(IniWriteString(DataFiles().strIni, "Skins", "Path", skin));
    MakeShell();
    shell->Start();
    emit tray.leftClicked();
    advanced = AttachAdvancedPage(*shell, desktop);
    MainWindow* window = &shell->Window();
    new FocusRing(window,
                  MainWindowControls(*shell),
                  [window](QPoint p) { window->ClickAt(p.x(), p.y()); });
  }
  void TearDown() override {
    SetSkinPixelRatio(1.0);
    advanced.reset();
    ShellTest::TearDown();
  }
  test::FakePointerBackend desktop;
  std::unique_ptr<AdvancedPage> advanced;
};

TEST_F(FocusMarkContrastTest, EveryMarkPixelStandsOutOnBothSkinsAtBothRatios) {
  // The dialogs get their marks from the watcher the program installs (a
  // plain object under the application); it goes again with this test.
  const QObjectList before = App().children();
  WatchDialogs();
  for (const std::string skin : {"Carbon", "Frost"}) {
    for (qreal ratio : {1.0, 2.0}) {
      const std::string where = skin + (ratio > 1 ? " 2x" : " 1x");
      SetSkinPixelRatio(ratio);
      StartOn(skin);
      MainWindow& window = shell->Window();
      EXPECT_GE(WalkRing(window, where + " Basic page", ratio), 20);
      shell->ShowAdvancedPage();
      EXPECT_GE(WalkRing(window, where + " Advanced page", ratio), 10);

      WalkDialog<CFireKeyDialog>(where + " fire key", ratio);
      WalkDialog<CDelayTimeDialog>(where + " delay", ratio);
      WalkDialog<CMediaDialog>(where + " media", ratio);
      WalkDialog<CWindowsDialog>(where + " windows", ratio);
      WalkDialog<CMacroDialog>(where + " macro", ratio, DataFiles().recordIni);
      WalkDialog<CSkinsDialog>(where + " skins", ratio, kSkins);
      advanced.reset();
      shell.reset();
      std::filesystem::remove_all(DataFiles().skinsFolder);
    }
  }
  for (QObject* child : App().children())
    if (!before.contains(child) && child->metaObject() == &QObject::staticMetaObject) delete child;
}

}  // namespace
}  // namespace corvaline::gui::testing
