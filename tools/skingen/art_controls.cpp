// The small pictures: push buttons, function boxes, window buttons, page tabs,
// slider cells and check boxes, each normal and highlighted.
#include <QLinearGradient>
#include <QPainterPath>

#include "art.h"
#include "gui/skin/skin_files.h"

namespace skingen {
namespace {


QColor Mix(const QColor& a, const QColor& b, qreal k) {
  return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * k, a.greenF() + (b.greenF() - a.greenF()) * k,
                          a.blueF() + (b.blueF() - a.blueF()) * k, a.alphaF() + (b.alphaF() - a.alphaF()) * k);
}

// Bevelled rounded plate: the body of buttons and boxes.
void Plate(QPainter& p, const QRectF& r, const Theme& t, bool over, qreal radius) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  const QColor top = over ? Mix(t.buttonTop, t.accent, t.dark ? 0.35 : 0.25) : t.buttonTop;
  const QColor bottom = over ? Mix(t.buttonBottom, t.accentDeep, t.dark ? 0.55 : 0.3) : t.buttonBottom;
  g.setColorAt(0, top);
  g.setColorAt(0.5, Mix(top, bottom, 0.6));
  g.setColorAt(1, bottom);
  QPainterPath path;
  path.addRoundedRect(r, radius, radius);
  p.fillPath(path, g);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(over ? t.accent : t.edgeDark, 1));
  p.drawPath(path);
  QColor shine = QColor(255, 255, 255, over ? 110 : (t.dark ? 45 : 200));
  p.setPen(QPen(shine, 1));
  p.drawLine(QPointF(r.left() + radius, r.top() + 1), QPointF(r.right() - radius, r.top() + 1));
  if (over) {
    QColor inner = t.accent;
    inner.setAlpha(90);
    p.setPen(QPen(inner, 1));
    p.drawRoundedRect(r.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
  }
}

QImage PushButton(const Theme& t, bool over) {
  QImage img = NewImage(105, 21);
  QPainter p;
  BeginPainter(p, img);
  Plate(p, QRectF(0.5, 0.5, 104, 20), t, over, 4);
  p.end();
  return img;
}

QImage FunctionBox(const Theme& t, bool over) {
  QImage img = NewImage(211, 21);
  QPainter p;
  BeginPainter(p, img);
  const QRectF r(0.5, 0.5, 210, 20);
  Plate(p, r, t, over, 3);
  // Number column at the left, arrow column at the right.
  QColor sep = over ? t.accent : t.edgeDark;
  sep.setAlpha(160);
  p.setPen(QPen(sep, 1));
  p.drawLine(QPointF(19.5, 4), QPointF(19.5, 17));
  p.drawLine(QPointF(190.5, 4), QPointF(190.5, 17));
  DownArrow(p, QRectF(191, 1, 19, 19), over ? QColor(255, 255, 255) : t.labelDim);
  p.end();
  return img;
}

enum class Glyph { Minimise, Close, Skins };

void DrawGlyph(QPainter& p, Glyph glyph, const QColor& c) {
  p.setPen(QPen(c, 1.6, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  switch (glyph) {
    case Glyph::Minimise:
      p.drawLine(QPointF(5.5, 11.5), QPointF(12.5, 11.5));
      break;
    case Glyph::Close:
      p.drawLine(QPointF(6, 6), QPointF(12, 12));
      p.drawLine(QPointF(12, 6), QPointF(6, 12));
      break;
    case Glyph::Skins: {  // four colour chips: the palette
      const QColor chips[4] = {QColor(255, 80, 90), QColor(60, 210, 120), QColor(60, 150, 255),
                               QColor(250, 200, 50)};
      p.setPen(Qt::NoPen);
      for (int i = 0; i < 4; ++i) {
        QColor chip = chips[i];
        chip.setAlpha(c.alpha());
        p.setBrush(chip);
        p.drawRoundedRect(QRectF(5 + (i % 2) * 4.5, 5 + (i / 2) * 4.5, 3.6, 3.6), 0.8, 0.8);
      }
      break;
    }
  }
}

QImage WindowButton(const Theme& t, Glyph glyph, bool over) {
  QImage img = NewImage(18, 18);
  QPainter p;
  BeginPainter(p, img);
  const QRectF r(0.5, 0.5, 17, 17);
  const QColor hot = glyph == Glyph::Close ? QColor(235, 55, 65) : t.accent;
  QRadialGradient g(r.center(), 9);
  g.setColorAt(0, over ? Mix(t.buttonTop, hot, 0.55) : t.buttonTop);
  g.setColorAt(1, over ? Mix(t.buttonBottom, hot, 0.35) : t.buttonBottom);
  p.setBrush(g);
  p.setPen(QPen(over ? hot : t.edgeDark, 1));
  p.drawEllipse(r);
  QColor ink = over ? QColor(255, 255, 255) : t.labelDim;
  if (glyph == Glyph::Skins) ink.setAlpha(over ? 255 : 170);
  DrawGlyph(p, glyph, ink);
  p.end();
  return img;
}

// Page tabs: a mouse outline for the Basic page, a gear for the Advanced page.
void TabIcon(QPainter& p, bool advanced, const QColor& ink) {
  p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  if (!advanced) {
    p.drawRoundedRect(QRectF(13, 9, 14, 22), 7, 7);
    p.drawLine(QPointF(20, 10), QPointF(20, 17));
    return;
  }
  const QPointF c(20, 20);
  for (int i = 0; i < 8; ++i) {
    p.save();
    p.translate(c);
    p.rotate(i * 45);
    p.drawLine(QPointF(0, -7.5), QPointF(0, -10.5));
    p.restore();
  }
  p.drawEllipse(c, 7, 7);
  p.drawEllipse(c, 2.5, 2.5);
}

QImage PageTab(const Theme& t, bool advanced, bool over) {
  QImage img = NewImage(40, 40);
  QPainter p;
  BeginPainter(p, img);
  const QRectF r(1.5, 1.5, 37, 37);
  Plate(p, r, t, over, 7);
  if (over) Glow(p, r.adjusted(3, 3, -3, -3), t.accent, 3, 5);
  TabIcon(p, advanced, over ? QColor(255, 255, 255) : t.labelDim);
  p.end();
  return img;
}

// A lit or unlit segment: slider stops, DPI cells and setting ticks.
QImage Segment(const Theme& t, int w, int h, const QRectF& body, bool lit, qreal radius) {
  QImage img = NewImage(w, h);
  QPainter p;
  BeginPainter(p, img);
  QLinearGradient g(body.topLeft(), body.bottomLeft());
  if (lit) {
    g.setColorAt(0, Mix(t.accent, QColor(255, 255, 255), 0.45));
    g.setColorAt(0.5, t.accent);
    g.setColorAt(1, t.accentDeep);
  } else {
    g.setColorAt(0, Mix(t.idle, QColor(0, 0, 0), t.dark ? 0.25 : 0.0));
    g.setColorAt(1, Mix(t.idle, QColor(0, 0, 0), t.dark ? 0.55 : 0.15));
  }
  p.setPen(QPen(lit ? t.accentDeep : t.edgeDark, 1));
  p.setBrush(g);
  p.drawRoundedRect(body, radius, radius);
  if (lit) {
    p.setPen(QPen(QColor(255, 255, 255, 150), 1));
    p.drawLine(QPointF(body.left() + radius, body.top() + 1.5),
               QPointF(body.right() - radius, body.top() + 1.5));
  }
  p.end();
  return img;
}

QImage CheckBox(const Theme& t, bool ticked) {
  QImage img = NewImage(16, 16);
  QPainter p;
  BeginPainter(p, img);
  const QRectF r(1.5, 1.5, 13, 13);
  p.setBrush(t.fieldBack);
  p.setPen(QPen(ticked ? t.accent : t.edgeLight, 1));
  p.drawRoundedRect(r, 2.5, 2.5);
  if (ticked) {
    p.setPen(QPen(t.accent, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath tick;
    tick.moveTo(4.5, 8.3);
    tick.lineTo(7, 11);
    tick.lineTo(11.8, 5);
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
  }
  p.end();
  return img;
}

// One choice of several: a ring, with a dot when chosen.
QImage RadioButton(const Theme& t, bool on) {
  QImage img = NewImage(16, 16);
  QPainter p;
  BeginPainter(p, img);
  p.setBrush(t.fieldBack);
  p.setPen(QPen(on ? t.accent : t.edgeLight, 1.2));
  p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
  if (on) {
    p.setPen(Qt::NoPen);
    p.setBrush(t.accent);
    p.drawEllipse(QPointF(8, 8), 3.5, 3.5);
  }
  p.end();
  return img;
}

}  // namespace

bool DrawControls(const Theme& t, const QString& folder) {
  using namespace corvaline;
  bool ok = true;
  ok &= Save(PushButton(t, false), folder, kButtonNormalPng);
  ok &= Save(PushButton(t, true), folder, kButtonOverPng);
  ok &= Save(FunctionBox(t, false), folder, kDropdownNormalPng);
  ok &= Save(FunctionBox(t, true), folder, kDropdownOverPng);
  ok &= Save(WindowButton(t, Glyph::Minimise, false), folder, kMinNormalPng);
  ok &= Save(WindowButton(t, Glyph::Minimise, true), folder, kMinOverPng);
  ok &= Save(WindowButton(t, Glyph::Close, false), folder, kCloseNormalPng);
  ok &= Save(WindowButton(t, Glyph::Close, true), folder, kCloseOverPng);
  ok &= Save(WindowButton(t, Glyph::Skins, false), folder, kSkinsNormalPng);
  ok &= Save(WindowButton(t, Glyph::Skins, true), folder, kSkinsOverPng);
  ok &= Save(PageTab(t, false, false), folder, kPrePageNormalPng);
  ok &= Save(PageTab(t, false, true), folder, kPrePageOverPng);
  ok &= Save(PageTab(t, true, false), folder, kNextPageNormalPng);
  ok &= Save(PageTab(t, true, true), folder, kNextPageOverPng);
  // Report-rate stops sit 72 pixels apart, DPI cells 18 apart, setting ticks
  // side by side: each picture leaves its own gap.
  ok &= Save(Segment(t, 70, 11, QRectF(0.5, 1.5, 69, 8), false, 4), folder, kSliderRateDarkPng);
  ok &= Save(Segment(t, 70, 11, QRectF(0.5, 1.5, 69, 8), true, 4), folder, kSliderRateLightPng);
  ok &= Save(Segment(t, 16, 16, QRectF(0.5, 2.5, 15, 11), false, 2), folder, kSliderDpiDarkPng);
  ok &= Save(Segment(t, 16, 16, QRectF(0.5, 2.5, 15, 11), true, 2), folder, kSliderDpiLightPng);
  ok &= Save(Segment(t, 24, 11, QRectF(1.5, 1.5, 20, 8), false, 2), folder, kSliderDarkPng);
  ok &= Save(Segment(t, 24, 11, QRectF(1.5, 1.5, 20, 8), true, 2), folder, kSliderLightPng);
  ok &= Save(CheckBox(t, false), folder, kPanePng);
  ok &= Save(CheckBox(t, true), folder, kPaneTickPng);
  ok &= Save(RadioButton(t, false), folder, kRadioPng);
  ok &= Save(RadioButton(t, true), folder, kRadioOnPng);
  return ok;
}

}  // namespace skingen
