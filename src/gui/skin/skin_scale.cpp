#include "gui/skin/skin_scale.h"

#include "gui/skin/image_cache.h"

namespace corvaline {
namespace {

int gRatio = 1;

// Nearest-neighbour doubling: every pixel becomes a 2 x 2 block, so the
// premultiplied values stay exactly what they were.
SkinImage Doubled(const SkinImage& image) {
  SkinImage twice = image;
  const auto doubled = [](const QImage& source) {
    return source.isNull() ? source
                           : source.scaled(source.size() * 2, Qt::IgnoreAspectRatio,
                                           Qt::FastTransformation);
  };
  twice.pixels = doubled(image.pixels);
  twice.rgb32 = doubled(image.rgb32);
  twice.width = image.width * 2;
  twice.height = image.height * 2;
  twice.pitch = static_cast<int>(twice.pixels.bytesPerLine());
  return twice;
}

}  // namespace

int SkinPixelRatio() { return gRatio; }
void SetSkinPixelRatio(qreal screenRatio) { gRatio = screenRatio > 1.0 ? 2 : 1; }

QString DoubleSizePath(const QString& path) {
  const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
  const qsizetype slash = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
  if (dot <= slash) return path + QStringLiteral("@2x");
  return path.left(dot) + QStringLiteral("@2x") + path.mid(dot);
}

int CanvasRatio(const QImage& canvas) { return canvas.devicePixelRatio() > 1.0 ? 2 : 1; }

const SkinImage* FindSkinImageFor(const QImage& canvas, const QString& path) {
  if (CanvasRatio(canvas) == 1) return FindSkinImage(path);
  if (const SkinImage* sharp = FindSkinImage(DoubleSizePath(path))) return sharp;
  const SkinImage* plain = FindSkinImage(path);
  if (plain == nullptr) return nullptr;
  static SkinImage scratch;
  scratch = Doubled(*plain);
  return &scratch;
}

QImage OpaqueCanvasAtSkinRatio(const QString& path) {
  QImage probe(1, 1, QImage::Format_RGB32);
  probe.setDevicePixelRatio(gRatio);
  const SkinImage* image = FindSkinImageFor(probe, path);
  if (image == nullptr) return QImage();
  QImage canvas(image->width, image->height, QImage::Format_RGB32);
  canvas.setDevicePixelRatio(gRatio);
  canvas.fill(Qt::black);
  BlendSkinImage(*image, canvas, 0, 0);
  return canvas;
}

}  // namespace corvaline
