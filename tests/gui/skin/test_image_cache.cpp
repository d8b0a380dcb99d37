// The image cache: decoded once, but a rewritten file or another skin folder
// shows at the next composition, and switched off it changes nothing visible.
#include <QDateTime>
#include <QFile>

#include <gtest/gtest.h>

#include "gui/skin/image_cache.h"
#include "gui/skin/skin_files.h"
#include "gui/skin/skin_image.h"
#include "gui/skin/skin_state.h"
#include "ui_test_support.h"

namespace corvaline {
namespace {

using test::Filled;
using test::ScratchSkin;
using test::WritePng;

QRgb DrawnPixel(std::string_view name) {
  QImage canvas(4, 4, QImage::Format_RGB32);
  canvas.fill(qRgb(0, 0, 0));
  DrawSkinFile(&canvas, name, 0, 0);
  return canvas.pixel(1, 1);
}

// Rewrites a file and moves its time stamp forward, as a skin update would.
void Rewrite(const QString& path, QColor colour, int secondsLater) {
  ASSERT_TRUE(WritePng(path, Filled(4, 4, colour), true));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(secondsLater),
                               QFileDevice::FileModificationTime));
}

TEST(ImageCacheTest, DecodesOnceAndPicksUpARewrittenFile) {
  ScratchSkin skin;
  ImageCache().SetEnabled(true);
  Rewrite(skin.Path(kButtonOverPng), QColor(255, 0, 0), 0);
  const long start = ImageCache().Decodes();
  EXPECT_EQ(DrawnPixel(kButtonOverPng), qRgb(255, 0, 0));
  EXPECT_EQ(DrawnPixel(kButtonOverPng), qRgb(255, 0, 0));
  EXPECT_EQ(ImageCache().Decodes() - start, 1);

  Rewrite(skin.Path(kButtonOverPng), QColor(0, 0, 255), 10);
  EXPECT_EQ(DrawnPixel(kButtonOverPng), qRgb(0, 0, 255));

  // A file that disappears leaves a gap instead of its old picture.
  ASSERT_TRUE(QFile::remove(skin.Path(kButtonOverPng)));
  EXPECT_EQ(DrawnPixel(kButtonOverPng), qRgb(0, 0, 0));
}

TEST(ImageCacheTest, SwitchingTheSkinFolderShowsTheNewSkinAtOnce) {
  ScratchSkin carbon;
  ScratchSkin frost;  // now current
  ImageCache().SetEnabled(true);
  const QDateTime stamp = QDateTime::currentDateTime();
  // Same name, same size, same time stamp: only the folder tells them apart.
  for (auto [skin, colour] : {std::pair{&carbon, QColor(10, 10, 10)}, std::pair{&frost, QColor(240, 240, 240)}}) {
    ASSERT_TRUE(WritePng(skin->Path(kPanePng), Filled(4, 4, colour), true));
    QFile file(skin->Path(kPanePng));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(stamp, QFileDevice::FileModificationTime));
  }
  SetSkinFolder(carbon.Folder());
  EXPECT_EQ(DrawnPixel(kPanePng), qRgb(10, 10, 10));
  SetSkinFolder(frost.Folder());
  EXPECT_EQ(DrawnPixel(kPanePng), qRgb(240, 240, 240));
  SetSkinFolder(carbon.Folder());
  EXPECT_EQ(DrawnPixel(kPanePng), qRgb(10, 10, 10));
}

TEST(ImageCacheTest, SwitchedOffEveryDrawDecodesAndTheResultIsTheSame) {
  ScratchSkin skin;
  QImage pixels = Filled(4, 4, QColor(200, 100, 50, 128));
  ASSERT_TRUE(WritePng(skin.Path(kPaneTickPng), pixels, true));
  ImageCache().SetEnabled(true);
  const QRgb cached = DrawnPixel(kPaneTickPng);
  ImageCache().SetEnabled(false);
  const long start = ImageCache().Decodes();
  EXPECT_EQ(DrawnPixel(kPaneTickPng), cached);
  EXPECT_EQ(DrawnPixel(kPaneTickPng), cached);
  EXPECT_EQ(ImageCache().Decodes() - start, 2);
  EXPECT_EQ(ImageCache().Size(), 0);
  ImageCache().SetEnabled(true);
}

}  // namespace
}  // namespace corvaline
