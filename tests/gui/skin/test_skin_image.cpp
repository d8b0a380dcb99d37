// Decoding, premultiplying and blending skin images, and what a missing image
// does on the main window and in a sub-dialog.
#include <QPainter>

#include <gtest/gtest.h>

#include "core/i18n/ui_language.h"
#include "gui/skin/mem_dc.h"
#include "gui/skin/skin_files.h"
#include "gui/skin/skin_image.h"
#include "gui/skin/skin_state.h"
#include "ui_test_support.h"

namespace corvaline {
namespace {

using test::Filled;
using test::RecordingSink;
using test::ScratchSkin;
using test::WritePng;

QImage Canvas(int w, int h, QRgb colour) {
  QImage canvas(w, h, QImage::Format_RGB32);
  canvas.fill(colour);
  return canvas;
}

// One 32-bit file with three pixels: fully transparent, half covered and
// opaque, blended onto a known canvas colour.
TEST(SkinImageTest, ThirtyTwoBitPixelsArePremultipliedThenBlendedSourceOver) {
  ScratchSkin skin;
  QImage pixels(3, 1, QImage::Format_ARGB32);
  pixels.setPixel(0, 0, qRgba(200, 100, 50, 0));
  pixels.setPixel(1, 0, qRgba(255, 100, 0, 128));
  pixels.setPixel(2, 0, qRgba(10, 20, 30, 255));
  ASSERT_TRUE(WritePng(skin.Path("/p.png"), pixels, true));

  SkinImage image;
  ASSERT_TRUE(DecodeSkinImage(skin.Path("/p.png"), image));
  EXPECT_EQ(image.bitsPerPixel, 32);
  EXPECT_TRUE(image.hasAlpha);
  EXPECT_EQ(image.pixels.pixel(0, 0), qRgba(0, 0, 0, 0));
  // floor(255 * 128 / 255) = 128, floor(100 * 128 / 255) = 50.
  EXPECT_EQ(image.pixels.pixel(1, 0), qRgba(128, 50, 0, 128));
  EXPECT_EQ(image.pixels.pixel(2, 0), qRgba(10, 20, 30, 255));

  QImage canvas = Canvas(3, 1, qRgb(0, 200, 100));
  ASSERT_EQ(DrawSkinImage(&canvas, skin.Path("/p.png"), 0, 0), 1);
  EXPECT_EQ(canvas.pixel(0, 0), qRgb(0, 200, 100));  // untouched
  // 128 + 0, 50 + 200 * 127 / 255 (99.6 -> 100), 0 + 100 * 127 / 255 (49.8 -> 50)
  EXPECT_EQ(canvas.pixel(1, 0), qRgb(128, 150, 50));
  EXPECT_EQ(canvas.pixel(2, 0), qRgb(10, 20, 30));  // exact copy
}

TEST(SkinImageTest, TwentyFourBitImageIsCopiedOpaqueWithoutPremultiplying) {
  ScratchSkin skin;
  QImage pixels(2, 1, QImage::Format_RGB32);
  pixels.setPixel(0, 0, qRgb(1, 2, 3));
  pixels.setPixel(1, 0, qRgb(250, 128, 7));
  ASSERT_TRUE(WritePng(skin.Path("/rgb.png"), pixels, false));

  SkinImage image;
  ASSERT_TRUE(DecodeSkinImage(skin.Path("/rgb.png"), image));
  EXPECT_EQ(image.bitsPerPixel, 24);
  EXPECT_FALSE(image.hasAlpha);
  EXPECT_GE(image.pitch, 6);

  QImage canvas = Canvas(4, 2, qRgb(9, 9, 9));
  ASSERT_EQ(DrawSkinImage(&canvas, skin.Path("/rgb.png"), 1, 1), 1);
  EXPECT_EQ(canvas.pixel(1, 1), qRgb(1, 2, 3));
  EXPECT_EQ(canvas.pixel(2, 1), qRgb(250, 128, 7));
  EXPECT_EQ(canvas.pixel(0, 1), qRgb(9, 9, 9));
  EXPECT_EQ(canvas.pixel(1, 0), qRgb(9, 9, 9));
}

TEST(SkinImageTest, ImagesReachingPastTheCanvasAreClipped) {
  ScratchSkin skin;
  ASSERT_TRUE(WritePng(skin.Path("/big.png"), Filled(6, 6, QColor(255, 0, 0)), true));
  QImage canvas = Canvas(4, 4, qRgb(0, 0, 0));
  EXPECT_EQ(DrawSkinImage(&canvas, skin.Path("/big.png"), 2, -3), 1);
  EXPECT_EQ(canvas.pixel(3, 2), qRgb(255, 0, 0));
  EXPECT_EQ(canvas.pixel(1, 2), qRgb(0, 0, 0));
  EXPECT_EQ(canvas.pixel(3, 3), qRgb(0, 0, 0));
  EXPECT_EQ(DrawSkinImage(&canvas, skin.Path("/big.png"), 100, 100), 1);  // wholly outside: nothing
}

TEST(SkinImageTest, MissingOrBrokenImagesLeaveGapsSilentlyOnTheMainWindow) {
  ScratchSkin skin;
  RecordingSink sink;
  QFile broken(skin.Path(kDropdownOverPng));
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
  broken.write("\x89PNG\r\n\x1a\n not really");
  broken.close();

  QImage canvas = Canvas(8, 8, qRgb(1, 2, 3));
  const QImage before = canvas;
  EXPECT_EQ(DrawSkinFile(&canvas, kDropdownOverPng, 0, 0), 0);
  EXPECT_EQ(DrawSkinFile(&canvas, kButtonOverPng, 0, 0), 0);
  EXPECT_EQ(DrawSkinImage(nullptr, skin.Path(kButtonOverPng), 0, 0), 0);
  EXPECT_EQ(canvas, before);
  EXPECT_TRUE(sink.messages.empty());

  // Without "/main.png" there is no canvas at all, and drawing onto the
  // missing canvas does nothing.
  EXPECT_TRUE(LoadMainCanvas().isNull());
  QImage none;
  ASSERT_TRUE(WritePng(skin.Path(kButtonNormalPng), Filled(4, 4, Qt::red), true));
  EXPECT_EQ(DrawSkinFile(&none, kButtonNormalPng, 0, 0), 0);
  EXPECT_TRUE(none.isNull());
}

TEST(SkinImageTest, SubDialogsAreToldAboutMissingImages) {
  ScratchSkin skin;
  RecordingSink sink;
  QImage canvas = Canvas(8, 8, qRgb(1, 2, 3));
  EXPECT_EQ(LoadPng(&canvas, skin.Path(kCloseOverPng), 0, 0), 0);
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_EQ(sink.messages[0].text, "LoadPng---Load image failed.");
  EXPECT_EQ(sink.messages[0].caption, kAppTitle);

  // The dialog is told, and keeps a size that can still be clicked and closed.
  const DialogBackground missing = LoadDialogBackground(kFireKeyPng, kFireBackgroundFailed);
  EXPECT_FALSE(missing.loaded);
  EXPECT_EQ(missing.canvas.size(), QSize(380, 290));
  ASSERT_EQ(sink.messages.size(), 2u);
  EXPECT_EQ(sink.messages[1].text, "error");
  EXPECT_EQ(sink.messages[1].caption, kFireBackgroundFailed);

  // Present, the background gives the dialog its size and no message.
  ASSERT_TRUE(WritePng(skin.Path(kMacroKeyPng), Filled(300, 200, QColor(20, 30, 40)), false));
  const DialogBackground present = LoadDialogBackground(kMacroKeyPng, kMacroBackgroundFailed);
  EXPECT_TRUE(present.loaded);
  EXPECT_EQ(present.canvas.size(), QSize(300, 200));
  EXPECT_EQ(present.canvas.pixel(10, 10), qRgb(20, 30, 40));
  EXPECT_EQ(LoadPng(&canvas, skin.Path(kMacroKeyPng), 0, 0), 1);
  EXPECT_EQ(sink.messages.size(), 2u);
}

// A picture with words comes in the UI language where the skin has it; a
// skin without it (older, a user's) gives the plain picture.
TEST(SkinImageTest, TheLanguagesOwnPictureIsDrawnWhereTheSkinHasOne) {
  ScratchSkin skin;
  ASSERT_TRUE(WritePng(skin.Path(kFireKeyPng), Filled(2, 2, Qt::red), false));
  ASSERT_TRUE(WritePng(skin.Path("/fire-key.CHS.png"), Filled(2, 2, Qt::blue), false));
  const UiLanguage before = CurrentLanguage();
  QImage canvas = Canvas(2, 2, qRgb(0, 0, 0));
  for (auto [lang, colour] : {std::pair{UiLanguage::CHS, qRgb(0, 0, 255)}, {UiLanguage::CHT, qRgb(255, 0, 0)},
                              {UiLanguage::EN, qRgb(255, 0, 0)}}) {
    SetCurrentLanguage(lang);
    EXPECT_EQ(DrawSkinFile(&canvas, kFireKeyPng, 0, 0), 1);
    EXPECT_EQ(canvas.pixel(1, 1), colour) << static_cast<int>(lang);
  }
  SetCurrentLanguage(before);
}

TEST(SkinImageTest, MainCanvasTakesTheSizeOfMainPngAndShowsTransparencyAsBlack) {
  ScratchSkin skin;
  QImage main = Filled(30, 20, QColor(100, 150, 200, 255));
  main.setPixel(0, 0, qRgba(255, 255, 255, 0));
  main.setPixel(1, 0, qRgba(255, 0, 0, 51));  // 255 * 51 / 255 = 51
  ASSERT_TRUE(WritePng(skin.Path(kMainPng), main, true));
  const QImage canvas = LoadMainCanvas();
  ASSERT_EQ(canvas.size(), QSize(30, 20));
  EXPECT_EQ(canvas.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(canvas.pixel(1, 0), qRgb(51, 0, 0));
  EXPECT_EQ(canvas.pixel(5, 5), qRgb(100, 150, 200));
}

// The double buffer draws in the target's coordinates and shows its picture
// only when it ends, in one copy.
TEST(MemDcTest, BufferUsesTargetCoordinatesAndReachesTheTargetAtTheEnd) {
  QImage screen = Canvas(40, 40, qRgb(0, 0, 0));
  QPainter target(&screen);
  {
    CMemDC dc(&target, QRect(10, 10, 20, 20));
    ASSERT_TRUE(dc.IsMemory());
    dc.Painter()->fillRect(QRect(10, 10, 5, 5), QColor(0, 255, 0));
    dc.Painter()->fillRect(QRect(0, 0, 40, 5), QColor(255, 0, 0));  // outside the rectangle
    EXPECT_EQ(screen.pixel(10, 10), qRgb(0, 0, 0));                   // nothing visible yet
  }
  target.end();
  EXPECT_EQ(screen.pixel(10, 10), qRgb(0, 255, 0));
  EXPECT_EQ(screen.pixel(14, 14), qRgb(0, 255, 0));
  EXPECT_EQ(screen.pixel(15, 15), qRgb(0, 0, 0));
  EXPECT_EQ(screen.pixel(5, 2), qRgb(0, 0, 0));  // outside the rectangle: never touched
}

TEST(MemDcTest, SelectedCanvasKeepsThePictureForLaterRepaints) {
  QImage canvas = Canvas(20, 20, qRgb(0, 0, 0));
  QImage screen = Canvas(20, 20, qRgb(7, 7, 7));
  {
    QPainter target(&screen);
    CMemDC dc(&target, QRect(), &canvas);
    EXPECT_EQ(dc.Rect(), QRect(0, 0, 20, 20));
    dc.Painter()->fillRect(QRect(2, 2, 3, 3), QColor(0, 0, 255));
  }
  EXPECT_EQ(canvas.pixel(3, 3), qRgb(0, 0, 255));
  EXPECT_EQ(screen.pixel(3, 3), qRgb(0, 0, 255));
  EXPECT_EQ(screen.pixel(10, 10), qRgb(0, 0, 0));
}

}  // namespace
}  // namespace corvaline
