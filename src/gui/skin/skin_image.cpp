#include "gui/skin/skin_image.h"

#include <QApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSet>

#include <algorithm>
#include <cstring>

#include "gui/skin/message_sink.h"
#include "gui/skin/image_cache.h"
#include "gui/skin/skin_files.h"
#include "gui/skin/skin_scale.h"
#include "gui/skin/skin_state.h"
#include "gui/skin/skin_text.h"

namespace corvaline {
namespace {

// One colour channel of source-over with a premultiplied source: the source
// plus the destination weakened by what the source leaves uncovered, rounded
// to the nearest value. Clamped so that a source that was not premultiplied
// cannot wrap around.
inline int Over(int src, int dst, int alpha) {
  return std::min(255, src + (dst * (255 - alpha) + 127) / 255);
}

void Blend32(const SkinImage& image, QImage& canvas, const QRect& area, int x, int y) {
  for (int row = area.top(); row <= area.bottom(); ++row) {
    const auto* src = reinterpret_cast<const QRgb*>(image.pixels.constScanLine(row - y));
    auto* dst = reinterpret_cast<QRgb*>(canvas.scanLine(row));
    for (int col = area.left(); col <= area.right(); ++col) {
      const QRgb s = src[col - x];
      const int a = image.hasAlpha ? qAlpha(s) : 255;
      if (a == 0) continue;  // fully transparent: the canvas stays as it is
      if (a == 255) {
        dst[col] = qRgba(qRed(s), qGreen(s), qBlue(s), 255);
        continue;
      }
      const QRgb d = dst[col];
      dst[col] = qRgba(Over(qRed(s), qRed(d), a), Over(qGreen(s), qGreen(d), a),
                       Over(qBlue(s), qBlue(d), a), Over(a, qAlpha(d), a));
    }
  }
}

void Copy24(const SkinImage& image, QImage& canvas, const QRect& area, int x, int y) {
  if (image.rgb32.format() == QImage::Format_RGB32 && image.rgb32.size() == image.pixels.size()) {
    const auto bytes = static_cast<std::size_t>(area.width()) * sizeof(QRgb);
    for (int row = area.top(); row <= area.bottom(); ++row) {
      const auto* src = reinterpret_cast<const QRgb*>(image.rgb32.constScanLine(row - y));
      std::memcpy(reinterpret_cast<QRgb*>(canvas.scanLine(row)) + area.left(), src + (area.left() - x), bytes);
    }
    return;
  }
  for (int row = area.top(); row <= area.bottom(); ++row) {
    const uchar* src = image.pixels.constScanLine(row - y);
    auto* dst = reinterpret_cast<QRgb*>(canvas.scanLine(row));
    for (int col = area.left(); col <= area.right(); ++col) {
      const uchar* p = src + 3 * (col - x);  // blue, green, red
      dst[col] = qRgb(p[2], p[1], p[0]);
    }
  }
}

}  // namespace

SkinImage ToSkinImage(const QImage& decoded) {
  SkinImage image;
  if (decoded.isNull()) return image;
  if (decoded.hasAlphaChannel()) {
    image.pixels = decoded.convertToFormat(QImage::Format_ARGB32);
    image.bitsPerPixel = 32;
    image.hasAlpha = true;
  } else {
    image.pixels = decoded.convertToFormat(QImage::Format_BGR888);
    image.rgb32 = decoded.convertToFormat(QImage::Format_RGB32);
    image.bitsPerPixel = 24;
  }
  image.width = image.pixels.width();
  image.height = image.pixels.height();
  image.pitch = static_cast<int>(image.pixels.bytesPerLine());
  return image;
}

void Premultiply(SkinImage& image) {
  if (image.bitsPerPixel != 32 || image.IsNull()) return;
  for (int y = 0; y < image.height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.pixels.scanLine(y));
    for (int x = 0; x < image.width; ++x) {
      const QRgb p = line[x];
      const int a = qAlpha(p);
      line[x] = qRgba(qRed(p) * a / 255, qGreen(p) * a / 255, qBlue(p) * a / 255, a);
    }
  }
}

void BlendSkinImage(const SkinImage& image, QImage& canvas, int x, int y) {
  if (image.IsNull() || canvas.isNull()) return;
  // A canvas of twice the pixels takes logical positions too.
  const int ratio = CanvasRatio(canvas);
  x *= ratio;
  y *= ratio;
  const QImage::Format format = canvas.format();
  if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
      format != QImage::Format_ARGB32_Premultiplied) {
    // Only reached by a canvas that no window made; the 32-bit ones are
    // blended in place, so a painter open on them stays valid.
    canvas.convertTo(QImage::Format_RGB32);
  }
  const QRect area = QRect(x, y, image.width, image.height).intersected(canvas.rect());
  if (area.isEmpty()) return;
  if (image.bitsPerPixel == 32) {
    Blend32(image, canvas, area, x, y);
  } else {
    Copy24(image, canvas, area, x, y);
  }
}

namespace {

bool FitsTheLimits(QSize size) {
  return size.width() <= kMaxSkinImageSide && size.height() <= kMaxSkinImageSide &&
         static_cast<qint64>(size.width()) * size.height() <= kMaxSkinImagePixels;
}

QString TooLargeText(QSize size) {
  return QStringLiteral("the picture is %1 x %2 pixels, more than the %3 x %4 and %5 pixels "
                        "a skin picture may have")
      .arg(size.width())
      .arg(size.height())
      .arg(kMaxSkinImageSide)
      .arg(kMaxSkinImageSide)
      .arg(kMaxSkinImagePixels);
}

// A picture refused for its size is told once per file and run; the telling
// waits for the event loop, so no window opens in the middle of a composition.
void ReportTooLargeOnce(const QString& path, const QString& problem) {
  static QSet<QString> told;
  if (told.contains(path)) return;
  told.insert(path);
  const std::string text = (path + QStringLiteral(": ") + problem).toStdString();
  QMetaObject::invokeMethod(qApp, [text] { ShowMessage(text, kAppTitle); }, Qt::QueuedConnection);
}

}  // namespace

bool DecodeSkinImage(const QString& path, SkinImage& out, QString* problem) {
  QImageReader reader(path);
  // The reader's own allocation limit stays as a second guard for a header
  // that lies about the size.
  reader.setAllocationLimit(static_cast<int>(kMaxSkinImagePixels * 4 / (1024 * 1024)) + 1);
  const QSize size = reader.size();
  if (size.isValid() && !FitsTheLimits(size)) {
    if (problem) *problem = TooLargeText(size);
    else ReportTooLargeOnce(path, TooLargeText(size));
    return false;
  }
  const QImage decoded = reader.read();
  if (decoded.isNull()) {
    if (problem)
      *problem = QFileInfo::exists(path) ? reader.errorString() : QStringLiteral("%1 is missing").arg(path);
    return false;
  }
  out = ToSkinImage(decoded);
  Premultiply(out);
  return !out.IsNull();
}

int DrawSkinImage(QImage* canvas, const QString& path, int x, int y) {
  if (canvas == nullptr || canvas->isNull()) return 0;
  const SkinImage* image = FindSkinImageFor(*canvas, path);
  if (image == nullptr) return 0;
  BlendSkinImage(*image, *canvas, x, y);
  return 1;
}

int LoadPng(QImage* canvas, const QString& path, int x, int y) {
  if (canvas == nullptr || canvas->isNull()) return 0;
  if (DrawSkinImage(canvas, path, x, y) == 1) return 1;
  ShowMessage("LoadPng---Load image failed.", kAppTitle);
  return 0;
}

int DrawSkinFile(QImage* canvas, std::string_view fileName, int x, int y) {
  return DrawSkinImage(canvas, SkinPath(fileName), x, y);
}

namespace {

// A window's canvas from one image: premultiplied, then made opaque, so a
// transparent spot of the picture shows black like on any bitmap without alpha.
QImage OpaqueCanvasFrom(const QString& path, QString* problem = nullptr) {
  SkinImage image;
  if (!DecodeSkinImage(path, image, problem)) return QImage();
  // Above 100% the canvas comes from the 2x picture (or the 1x one doubled).
  if (SkinPixelRatio() > 1) return OpaqueCanvasAtSkinRatio(path);
  QImage canvas(image.width, image.height, QImage::Format_RGB32);
  canvas.fill(Qt::black);
  BlendSkinImage(image, canvas, 0, 0);
  return canvas;
}

}  // namespace

QImage LoadMainCanvas() { return OpaqueCanvasFrom(SkinPath(kMainPng)); }

QImage LoadMainCanvasFrom(const QString& skinFolder, QString* problem) {
  if (!QFileInfo(skinFolder).isDir()) {
    if (problem) *problem = QStringLiteral("the folder %1 is missing").arg(skinFolder);
    return QImage();
  }
  return OpaqueCanvasFrom(skinFolder + Utf8(kMainPng), problem);
}

QImage NoSkinCanvas(const QString& explanation) {
  QImage canvas(kNoSkinCanvasSize, QImage::Format_RGB32);
  canvas.fill(QColor(40, 40, 40));
  QPainter painter(&canvas);
  painter.setPen(Qt::white);
  painter.drawText(QRect(60, 100, canvas.width() - 120, canvas.height() - 200),
                   Qt::AlignCenter | Qt::TextWordWrap, explanation);
  // Minimise and close at the places of the skin's buttons, white frames
  // with a bar and a cross.
  for (int left : {825, 850}) {
    painter.fillRect(QRect(left, 5, 18, 18), Qt::white);
    painter.fillRect(QRect(left + 2, 7, 14, 14), QColor(40, 40, 40));
  }
  painter.setPen(QPen(Qt::white, 2));
  painter.drawLine(829, 17, 838, 17);
  painter.drawLine(854, 9, 863, 18);
  painter.drawLine(863, 9, 854, 18);
  return canvas;
}

DialogBackground LoadDialogBackground(std::string_view fileName, std::string_view failureCaption) {
  DialogBackground result;
  result.canvas = OpaqueCanvasFrom(SkinPath(fileName));
  result.loaded = !result.canvas.isNull();
  if (!result.loaded) {
    ShowMessage("error", failureCaption);
    result.canvas = QImage(kDialogFallbackSize, QImage::Format_RGB32);
    result.canvas.fill(QColor(40, 40, 40));
  }
  return result;
}

}  // namespace corvaline
