// The main window: its start picture and the two page backgrounds. Regions
// the program fills (texts, buttons, cells) are left plain; the artwork gives
// them panels, grooves and wells to sit in.
#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include "art.h"
#include "gui/skin/skin_files.h"

namespace skingen {
namespace {

constexpr int kWidth = 880;
constexpr int kHeight = 660;

// Title bar, outer frame, tab rail and bottom bar shared by every page.
void Chrome(QPainter& p, const Theme& t, int seed) {
  Brushed(p, QRect(0, 0, kWidth, kHeight), t.backTop, t.backBottom, seed);
  // Title band.
  QLinearGradient band(0, 0, 0, 32);
  band.setColorAt(0, QColor(0, 0, 0, t.dark ? 90 : 18));
  band.setColorAt(1, QColor(0, 0, 0, t.dark ? 30 : 6));
  p.fillRect(QRect(0, 0, kWidth, 32), band);
  QLinearGradient line(0, 0, kWidth, 0);
  QColor clear = t.accent;
  clear.setAlpha(0);
  line.setColorAt(0, clear);
  line.setColorAt(0.3, t.accent);
  line.setColorAt(0.7, t.accent);
  line.setColorAt(1, clear);
  p.setPen(QPen(QBrush(line), 1));
  p.drawLine(0, 32, kWidth, 32);
  Glow(p, QRectF(200, 32, 480, 0.5), t.accent, 4, 0.5);
  Brand(p, QPoint(16, 6), 14, t);
  Text(p, QRect(160, 6, 200, 20), "X01  CONTROL", 10, t.labelDim, Qt::AlignLeft | Qt::AlignVCenter, true, 2);
  // Sockets under the window buttons keep them readable on any background.
  for (int x : {701, 825, 850}) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, t.dark ? 80 : 30));
    p.drawEllipse(QRectF(x - 1.5, 3.5, 21, 21));
  }
  // Rail behind the page tabs, bottom bar behind OK, Apply and Cancel.
  Panel(p, LTRB(8, 46, 103, 102), t, false);  // clear of the page title at 105
  Panel(p, LTRB(6, 614, 878, 654), t, false);
  // Globe before the web link.
  p.setPen(QPen(t.labelDim, 1.2));
  p.setBrush(Qt::NoBrush);
  const QRectF globe(266.5, 629.5, 15, 15);
  p.drawEllipse(globe);
  p.drawEllipse(globe.adjusted(4, 0, -4, 0));
  p.drawLine(QPointF(globe.left(), globe.center().y()), QPointF(globe.right(), globe.center().y()));
  // Frame.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(t.edgeDark, 1));
  p.drawRect(QRectF(0.5, 0.5, kWidth - 1, kHeight - 1));
  QColor rim = t.edgeLight;
  rim.setAlpha(t.dark ? 60 : 160);
  p.setPen(QPen(rim, 1));
  p.drawRect(QRectF(1.5, 1.5, kWidth - 3, kHeight - 3));
}

// Top view of a gaming mouse with lit accents.
void MouseArt(QPainter& p, const QPointF& c, qreal scale, const Theme& t) {
  p.save();
  p.translate(c);
  p.scale(scale, scale);
  QPainterPath body;
  body.moveTo(0, -100);
  body.cubicTo(48, -100, 62, -60, 62, -10);
  body.cubicTo(62, 50, 52, 100, 0, 100);
  body.cubicTo(-52, 100, -62, 50, -62, -10);
  body.cubicTo(-62, -60, -48, -100, 0, -100);
  QColor halo = t.accent;
  for (int i = 12; i >= 1; --i) {
    halo.setAlpha(6 + (12 - i) * 2);
    p.setPen(QPen(halo, i * 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
  }
  QLinearGradient shell(-62, -100, 62, 100);
  shell.setColorAt(0, t.dark ? QColor(70, 76, 88) : QColor(255, 255, 255));
  shell.setColorAt(0.55, t.dark ? QColor(30, 33, 39) : QColor(214, 224, 238));
  shell.setColorAt(1, t.dark ? QColor(12, 13, 16) : QColor(170, 186, 208));
  p.setBrush(shell);
  p.setPen(QPen(t.edgeDark, 1.5));
  p.drawPath(body);
  // Button split, wheel, side buttons and the light strip.
  p.setPen(QPen(t.dark ? QColor(0, 0, 0, 200) : QColor(120, 136, 160), 1.5));
  p.drawLine(QPointF(0, -100), QPointF(0, -30));
  p.drawLine(QPointF(-60, -28), QPointF(60, -28));
  p.setBrush(t.fieldBack);
  p.drawRoundedRect(QRectF(-7, -82, 14, 32), 7, 7);
  p.setPen(Qt::NoPen);
  p.setBrush(t.accent);
  p.drawRoundedRect(QRectF(-3, -76, 6, 20), 3, 3);
  p.setBrush(t.dark ? QColor(50, 54, 62) : QColor(180, 194, 214));
  p.drawRoundedRect(QRectF(-64.5, -18, 6, 20), 2, 2);
  p.drawRoundedRect(QRectF(-64.5, 6, 6, 20), 2, 2);
  QLinearGradient strip(0, 40, 0, 96);
  QColor clear = t.accent;
  clear.setAlpha(0);
  strip.setColorAt(0, t.accent);
  strip.setColorAt(1, clear);
  p.setBrush(strip);
  QPainterPath logo;
  logo.moveTo(0, 34);
  logo.lineTo(16, 56);
  logo.lineTo(0, 78);
  logo.lineTo(-16, 56);
  logo.closeSubpath();
  p.drawPath(logo);
  p.restore();
}

// A ring of colours: the lighting effects at a glance.
void LightRing(QPainter& p, const QPointF& c, qreal radius) {
  QConicalGradient g(c, 90);
  const QColor colours[] = {QColor(255, 40, 80), QColor(255, 170, 0), QColor(60, 230, 90),
                            QColor(0, 200, 255), QColor(120, 80, 255), QColor(255, 40, 80)};
  for (int i = 0; i < 6; ++i) g.setColorAt(i / 5.0, colours[i]);
  for (int w = 14; w >= 2; w -= 3) {
    QPen pen(QBrush(g), w);
    p.setOpacity(w == 2 ? 1.0 : 0.12);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, radius, radius);
  }
  p.setOpacity(1.0);
}

void BasicPage(QPainter& p, const Theme& t) {
  Chrome(p, t, 11);
  Panel(p, LTRB(8, 112, 238, 604), t);
  MouseArt(p, QPointF(123, 350), 0.95, t);
  Panel(p, LTRB(244, 152, 472, 580), t);
  Panel(p, LTRB(484, 152, 872, 254), t);
  Panel(p, LTRB(484, 266, 688, 604), t);
  Panel(p, LTRB(696, 266, 872, 428), t);
  Panel(p, LTRB(696, 436, 872, 604), t, false);
  LightRing(p, QPointF(784, 520), 52);
  // Report-rate groove and its unit.
  Well(p, LTRB(542, 204, 828, 215), t);
  Text(p, LTRB(832, 225, 868, 245), "Hz", 11, t.labelDim, Qt::AlignLeft | Qt::AlignTop);
  // DPI columns and colour swatches.
  for (int s = 0; s < 4; ++s) {
    const int x = 554 + 27 * s;
    Well(p, LTRB(x, 302, x + 16, 516), t);
    Well(p, LTRB(x, 523, x + 16, 539), t);
  }
  // LED value boxes with their arrows.
  for (int top : {330, 360, 390}) {
    Well(p, LTRB(767, top, 851, top + 14), t);
    DownArrow(p, QRectF(837, top, 14, 14), t.accent);
  }
}

void AdvancedPage(QPainter& p, const Theme& t) {
  Chrome(p, t, 23);
  Panel(p, LTRB(8, 152, 446, 610), t);
  Panel(p, LTRB(452, 152, 876, 610), t);
  for (int top : {200, 350, 500}) {
    Well(p, LTRB(52, top, 316, top + 11), t);
    // Rising wedge: more to the right.
    QPainterPath wedge;
    wedge.moveTo(334, top + 10);
    wedge.lineTo(380, top + 10);
    wedge.lineTo(380, top - 2);
    wedge.closeSubpath();
    QLinearGradient g(334, 0, 380, 0);
    QColor weak = t.accent;
    weak.setAlpha(40);
    g.setColorAt(0, weak);
    g.setColorAt(1, t.accent);
    p.fillPath(wedge, g);
  }
  for (int y : {292, 442}) {
    p.setPen(QPen(QColor(t.edgeDark.red(), t.edgeDark.green(), t.edgeDark.blue(), 140), 1));
    p.drawLine(24, y, 430, y);
  }
  Well(p, LTRB(462, 220, 590, 512), t);
  Well(p, LTRB(593, 220, 725, 512), t);
  // Record and stop buttons.
  for (int top : {229, 265}) {
    QRectF r(735.5, top + 0.5, 28, 28);
    QRadialGradient g(r.center() - QPointF(4, 4), 20);
    g.setColorAt(0, t.buttonTop);
    g.setColorAt(1, t.buttonBottom);
    p.setBrush(g);
    p.setPen(QPen(t.edgeDark, 1));
    p.drawEllipse(r);
    p.setPen(Qt::NoPen);
    if (top == 229) {
      p.setBrush(QColor(235, 45, 60));
      p.drawEllipse(r.center(), 6.5, 6.5);
      Glow(p, QRectF(r.center() - QPointF(6, 6), QSizeF(12, 12)), QColor(235, 45, 60), 3, 6);
    } else {
      p.setBrush(t.dark ? QColor(210, 216, 226) : QColor(60, 72, 92));
      p.drawRoundedRect(QRectF(r.center() - QPointF(5.5, 5.5), QSizeF(11, 11)), 1.5, 1.5);
    }
  }
  Well(p, LTRB(735, 322, 799, 336), t);
  Well(p, LTRB(735, 362, 799, 376), t);
  Well(p, LTRB(735, 402, 854, 416), t);
  DownArrow(p, QRectF(840, 402, 14, 14), t.accent);
}

void StartPicture(QPainter& p, const Theme& t) {
  Chrome(p, t, 5);
  QRadialGradient spot(QPointF(440, 330), 300);
  QColor a = t.accent;
  a.setAlpha(t.dark ? 50 : 40);
  spot.setColorAt(0, a);
  spot.setColorAt(1, QColor(0, 0, 0, 0));
  p.fillRect(QRect(0, 40, kWidth, 570), spot);
  MouseArt(p, QPointF(440, 300), 1.2, t);
  Brand(p, QPoint(355, 470), 22, t);
}

QImage Page(const Theme& t, void (*draw)(QPainter&, const Theme&)) {
  QImage img = NewImage(kWidth, kHeight);
  QPainter p;
  BeginPainter(p, img);
  draw(p, t);
  p.end();
  return img;
}

}  // namespace

bool DrawPages(const Theme& t, const QString& folder) {
  bool ok = true;
  ok &= Save(Page(t, StartPicture), folder, corvaline::kMainPng, true);
  ok &= Save(Page(t, BasicPage), folder, corvaline::kBasicPagePng, true);
  ok &= Save(Page(t, AdvancedPage), folder, corvaline::kAdvancedPagePng, true);
  return ok;
}

}  // namespace skingen
