// Hover feedback of the window's picture buttons on a running shell.
#include <QImage>
#include <QTest>

#include <filesystem>

#include "../../core/system/fake_pointer_backend.h"
#include "core/settings/data_paths.h"
#include "core/settings/ini_file.h"
#include "gui/pages/advanced_page.h"
#include "gui/shell/main_window.h"
#include "gui/skin/skin_scale.h"
#include "shell_fixture.h"

namespace corvaline::gui::testing {
namespace {

class HoverShell : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    WriteDataFiles("EN");
    const QString skin = dir.path() + "/Skins/Test/";
    Save(skin + "button-normal.png", 105, 21, QColor(90, 90, 90));
    Save(skin + "button-over.png", 105, 21, QColor(250, 0, 0));
    Save(skin + "button-min-normal.png", 18, 18, QColor(90, 90, 90));
    Save(skin + "button-min-over.png", 18, 18, QColor(0, 250, 0));
    MakeShell();
    shell->Start();
    emit tray.leftClicked();
    ASSERT_TRUE(shell->Window().isVisible());
  }
  static void Save(const QString& file, int w, int h, QColor colour) {
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(file));
  }
  // Moves the pointer there and lets it rest until the rest shows at the
  // given pixel; a busy machine may fire the rest timer late.
  void RestAt(int x, int y, QPoint shows, QRgb colour) {
    emit shell->Window().pointerMoved(QPoint(x, y));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Pixel(shows.x(), shows.y()) == colour; }, 2000));
  }
  QRgb Pixel(int x, int y) { return shell->Window().Canvas()->pixel(x, y); }
};

constexpr QRgb kNormal = 0xFF5A5A5A;

TEST_F(HoverShell, RestingLightsOneOfOkApplyCancelAndLeavingEndsEveryHighlight) {
  // The corner pixels stay clear of the centred captions.
  EXPECT_EQ(Pixel(563, 624), kNormal);
  RestAt(600, 630, {563, 624}, 0xFFFA0000);  // OK
  EXPECT_EQ(Pixel(563, 624), 0xFFFA0000);
  RestAt(700, 630, {667, 624}, 0xFFFA0000);  // Apply: OK goes back to normal
  EXPECT_EQ(Pixel(563, 624), kNormal);
  EXPECT_EQ(Pixel(667, 624), 0xFFFA0000);
  RestAt(830, 10, {826, 6}, 0xFF00FA00);  // Minimise stands alone: Apply stays lit
  EXPECT_EQ(Pixel(826, 6), 0xFF00FA00);
  EXPECT_EQ(Pixel(667, 624), 0xFFFA0000);
  const HoverTracker& hover = shell->Hover();
  EXPECT_TRUE(hover.IsHighlighted(hover.Elements()[static_cast<size_t>(hover.Find({700, 630}, 1))].id));  // Apply

  emit shell->Window().pointerMoved(QPoint(150, 300));  // an empty spot
  EXPECT_EQ(Pixel(667, 624), kNormal);
  EXPECT_EQ(Pixel(826, 6), kNormal);
  EXPECT_FALSE(shell->Hover().AnyHighlighted());
}

TEST_F(HoverShell, PassingOverAButtonDrawsNothingAndLeavingTheWindowEndsHighlights) {
  emit shell->Window().pointerMoved(QPoint(600, 630));
  emit shell->Window().pointerMoved(QPoint(150, 300));  // gone before the rest ended
  QTest::qWait(kHoverRestMs * 5);
  EXPECT_EQ(Pixel(563, 624), kNormal);
  RestAt(830, 10, {826, 6}, 0xFF00FA00);
  EXPECT_EQ(Pixel(826, 6), 0xFF00FA00);
  emit shell->Window().pointerMoved(QPoint(-1, -1));
  EXPECT_EQ(Pixel(826, 6), kNormal);
}

// The delivered over pictures glow past the normal ones' opaque pixels:
// after every highlight each page is pixel for pixel what it was.
class HoverTraces : public ShellTest {
 protected:
  // The Advanced page as the program fills it: its buttons drawn on it.
  void FillAdvancedPage() {
    advanced = AttachAdvancedPage(*shell, desktop);
  }
  void TearDown() override {
    advanced.reset();
    ShellTest::TearDown();
  }
  void ExpectEveryHighlightLeavesNoTrace(HoverPage otherPage, qreal ratio) {
    const QImage before = shell->Window().Canvas()->copy();
    ASSERT_EQ(before.devicePixelRatio(), ratio);
    for (const HoverElement& e : shell->Hover().Elements()) {
      if (e.page == otherPage) continue;
      emit shell->Window().pointerMoved(e.region.center());
      ASSERT_TRUE(WaitFor([&] { return shell->Hover().IsHighlighted(e.id); }, 5000))
          << "element " << e.id << " never lit";
      emit shell->Window().pointerMoved(QPoint(150, 300));  // an empty spot
      const QImage& after = *shell->Window().Canvas();
      if (after == before) continue;
      int changed = 0;
      for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x) changed += after.pixel(x, y) != before.pixel(x, y);
      ADD_FAILURE() << "element " << e.id << ": " << changed << " pixels differ from before the hover";
    }
  }
  test::FakePointerBackend desktop;
  std::unique_ptr<AdvancedPage> advanced;
};

TEST_F(HoverTraces, LeavingAnyHighlightLeavesThePageAsItWasOnBothSkinsAtBothRatios) {
  for (const char* skin : {"Carbon", "Frost"}) {
    for (qreal ratio : {1.0, 2.0}) {
      SCOPED_TRACE(std::string(skin) + (ratio > 1 ? " 2x" : " 1x"));
      struct RatioBack {
        ~RatioBack() { SetSkinPixelRatio(1.0); }
      } back;
      SetSkinPixelRatio(ratio);
      WriteDataFiles("EN");
      std::filesystem::create_directory_symlink(std::string(CORVALINE_GENERATED_DATA_DIR "/Skins/") + skin,
                                                DataFiles().skinsFolder / skin);
      EXPECT_TRUE(IniWriteString(DataFiles().strIni, "Skins", "Path", skin));
      MakeShell();
      shell->Start();
      emit tray.leftClicked();
      ASSERT_EQ(shell->CurrentPage(), Page::Basic);
      ExpectEveryHighlightLeavesNoTrace(HoverPage::Advanced, ratio);
      FillAdvancedPage();
      shell->ShowAdvancedPage();
      ExpectEveryHighlightLeavesNoTrace(HoverPage::Basic, ratio);
      advanced.reset();
      shell.reset();
      std::filesystem::remove_all(DataFiles().skinsFolder);
    }
  }
}

}  // namespace
}  // namespace corvaline::gui::testing
