// The application and tray icon: a lit mouse on a dark rounded tile, drawn as
// vectors at every size so that small icons stay crisp.
#include <QBuffer>
#include <QFile>
#include <QLinearGradient>
#include <QPainterPath>
#include <iterator>

#include "art.h"

namespace skingen {
namespace {

QImage Icon(int size) {
  QImage img = NewImage(size, size);
  QPainter p;
  BeginPainter(p, img);
  p.scale(size / 64.0, size / 64.0);
  const QColor accent(0, 200, 255);
  QLinearGradient tile(0, 0, 0, 64);
  tile.setColorAt(0, QColor(52, 58, 68));
  tile.setColorAt(1, QColor(14, 15, 18));
  p.setPen(QPen(QColor(4, 5, 6), 1.2));
  p.setBrush(tile);
  p.drawRoundedRect(QRectF(1.5, 1.5, 61, 61), 13, 13);

  QPainterPath body;
  body.moveTo(32, 9);
  body.cubicTo(44, 9, 47, 19, 47, 30);
  body.cubicTo(47, 45, 43, 56, 32, 56);
  body.cubicTo(21, 56, 17, 45, 17, 30);
  body.cubicTo(17, 19, 20, 9, 32, 9);
  if (size < 32) {
    // Few pixels: a solid lit shape reads better than outlines.
    QLinearGradient fill(17, 9, 47, 56);
    fill.setColorAt(0, QColor(140, 235, 255));
    fill.setColorAt(1, QColor(0, 150, 220));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(body);
    p.setPen(QPen(QColor(10, 12, 16), 4.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(32, 14), QPointF(32, 24));
    p.end();
    return img;
  }
  for (int w = 7; w >= 3; w -= 2) {
    QColor halo = accent;
    halo.setAlpha(40);
    p.setPen(QPen(halo, w));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
  }
  QLinearGradient shell(17, 9, 47, 56);
  shell.setColorAt(0, QColor(120, 128, 142));
  shell.setColorAt(0.5, QColor(44, 48, 56));
  shell.setColorAt(1, QColor(18, 20, 24));
  p.setPen(QPen(accent, 2.0));
  p.setBrush(shell);
  p.drawPath(body);
  p.setPen(QPen(QColor(0, 0, 0, 200), 1.5));
  p.drawLine(QPointF(32, 10), QPointF(32, 26));
  p.drawLine(QPointF(18, 26), QPointF(46, 26));
  p.setPen(Qt::NoPen);
  p.setBrush(accent);
  p.drawRoundedRect(QRectF(30, 13, 4, 9), 2, 2);
  QPainterPath gem;
  gem.moveTo(32, 35);
  gem.lineTo(37, 42);
  gem.lineTo(32, 49);
  gem.lineTo(27, 42);
  gem.closeSubpath();
  p.fillPath(gem, accent);
  p.end();
  return img;
}

// The same drawing as vectors, for desktops that scale icons freely.
constexpr char kIconSvg[] = R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">
  <defs>
    <linearGradient id="tile" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#343a44"/><stop offset="1" stop-color="#0e0f12"/>
    </linearGradient>
    <linearGradient id="shell" x1="0" y1="0" x2="1" y2="1">
      <stop offset="0" stop-color="#78808e"/><stop offset="0.5" stop-color="#2c3038"/>
      <stop offset="1" stop-color="#121418"/>
    </linearGradient>
  </defs>
  <rect x="1.5" y="1.5" width="61" height="61" rx="13" fill="url(#tile)" stroke="#040506" stroke-width="1.2"/>
  <path d="M32 9C44 9 47 19 47 30C47 45 43 56 32 56C21 56 17 45 17 30C17 19 20 9 32 9Z"
        fill="none" stroke="#00c8ff" stroke-opacity="0.18" stroke-width="7"/>
  <path d="M32 9C44 9 47 19 47 30C47 45 43 56 32 56C21 56 17 45 17 30C17 19 20 9 32 9Z"
        fill="url(#shell)" stroke="#00c8ff" stroke-width="2"/>
  <path d="M32 10V26M18 26H46" stroke="#000000" stroke-opacity="0.8" stroke-width="1.5"/>
  <rect x="30" y="13" width="4" height="9" rx="2" fill="#00c8ff"/>
  <path d="M32 35L37 42L32 49L27 42Z" fill="#00c8ff"/>
</svg>
)svg";

void PutLe(QByteArray& out, unsigned value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// The Windows icon of the executable and its installer: one PNG-compressed
// image per size, which every Windows since Vista reads, so the same
// drawings serve both systems.
bool WriteIco(const QString& path) {
  const int sizes[] = {16, 24, 32, 48, 64, 256};
  const int count = static_cast<int>(std::size(sizes));
  QByteArray head, images;
  PutLe(head, 0, 2);  // reserved
  PutLe(head, 1, 2);  // an icon, not a cursor
  PutLe(head, count, 2);
  unsigned offset = 6 + 16 * count;
  for (int size : sizes) {
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !Icon(size).save(&buffer, "PNG")) return false;
    head.append(static_cast<char>(size == 256 ? 0 : size));  // 0 stands for 256
    head.append(static_cast<char>(size == 256 ? 0 : size));
    PutLe(head, 0, 2);  // no palette, reserved
    PutLe(head, 1, 2);  // planes
    PutLe(head, 32, 2);  // bits per pixel
    PutLe(head, static_cast<unsigned>(png.size()), 4);
    PutLe(head, offset, 4);
    offset += static_cast<unsigned>(png.size());
    images += png;
  }
  QFile file(path);
  const QByteArray all = head + images;
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(all) == all.size();
}

}  // namespace

bool DrawIcons(const QString& folder) {
  bool ok = true;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const std::string name = "/corvaline-" + std::to_string(size) + ".png";
    ok &= Save(Icon(size), folder, name);
  }
  // The largest one again under the plain name, for the desktop entry.
  ok &= Save(Icon(256), folder, "/corvaline.png");
  ok &= WriteIco(folder + "/corvaline.ico");
  QFile svg(folder + "/corvaline.svg");
  ok &= svg.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
        svg.write(kIconSvg, sizeof kIconSvg - 1) == static_cast<qint64>(sizeof kIconSvg - 1);
  return ok;
}

}  // namespace skingen
