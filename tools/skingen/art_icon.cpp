// The application and tray icon: a lit mouse on a dark rounded tile, drawn as
// vectors at every size so that small icons stay crisp.
#include <QLinearGradient>
#include <QPainterPath>

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

}  // namespace

bool DrawIcons(const QString& folder) {
  bool ok = true;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const std::string name = "/corvaline-" + std::to_string(size) + ".png";
    ok &= Save(Icon(size), folder, name);
  }
  // The largest one again under the plain name, for the desktop entry.
  ok &= Save(Icon(256), folder, "/corvaline.png");
  return ok;
}

}  // namespace skingen
