#include <QDir>
#include <QFile>
#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRandomGenerator>

#include "art.h"
#include "core/settings/skin_ini.h"

namespace skingen {

Theme CarbonTheme() {
  Theme t;
  t.name = "Carbon";
  t.dark = true;
  t.backTop = QColor(34, 37, 43);
  t.backBottom = QColor(14, 15, 18);
  t.panelTop = QColor(40, 44, 51);
  t.panelBottom = QColor(24, 26, 31);
  t.edgeLight = QColor(78, 84, 96);
  t.edgeDark = QColor(6, 7, 9);
  t.accent = QColor(0, 200, 255);
  t.accentDeep = QColor(0, 96, 150);
  t.label = QColor(214, 222, 232);
  t.labelDim = QColor(122, 132, 146);
  t.fieldBack = QColor(10, 11, 13);
  t.buttonTop = QColor(62, 67, 77);
  t.buttonBottom = QColor(30, 33, 39);
  t.idle = QColor(52, 56, 64);
  t.dialogTop = t.panelTop;
  t.dialogBottom = t.panelBottom;
  t.dialogLabel = t.labelDim;
  // White as the delivered str.ini has it; the controls as they always were.
  t.uiText = QColor(255, 255, 255);
  t.controlText = QColor(255, 255, 255);
  t.controlBack = QColor(0, 0, 0);
  // Amber over the dark metal, black over the cyan glows and light labels.
  t.focusMark = QColor(255, 200, 0);
  t.focusContrast = QColor(0, 0, 0);
  return t;
}

Theme FrostTheme() {
  Theme t;
  t.name = "Frost";
  t.dark = false;
  t.backTop = QColor(236, 242, 248);
  t.backBottom = QColor(196, 208, 222);
  t.panelTop = QColor(250, 252, 255);
  t.panelBottom = QColor(218, 227, 238);
  t.edgeLight = QColor(255, 255, 255);
  t.edgeDark = QColor(140, 156, 178);
  t.accent = QColor(30, 120, 255);
  t.accentDeep = QColor(20, 70, 170);
  t.label = QColor(36, 48, 66);
  t.labelDim = QColor(96, 110, 132);
  t.fieldBack = QColor(40, 44, 52);
  t.buttonTop = QColor(252, 253, 255);
  t.buttonBottom = QColor(200, 212, 228);
  t.idle = QColor(170, 184, 204);
  t.dialogTop = QColor(62, 82, 110);
  t.dialogBottom = QColor(34, 46, 64);
  t.dialogLabel = QColor(178, 200, 228);
  // Dark text on the light panels and buttons; the controls stay light on
  // the dark wells they sit in.
  t.uiText = QColor(30, 42, 60);
  t.controlText = QColor(232, 238, 246);
  t.controlBack = t.fieldBack;
  // Deep blue over the light panels, white over the dark wells and dialogs.
  t.focusMark = QColor(10, 50, 140);
  t.focusContrast = QColor(255, 255, 255);
  return t;
}

namespace {
int gScale = 1;
}  // namespace

int DrawingScale() { return gScale; }
void SetDrawingScale(int scale) { gScale = scale; }

QImage NewImage(int width, int height) {
  QImage image(width * gScale, height * gScale, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(gScale);
  image.fill(Qt::transparent);
  return image;
}

void BeginPainter(QPainter& painter, QImage& image) {
  painter.begin(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
}

void Brushed(QPainter& p, const QRect& area, const QColor& top, const QColor& bottom, int seed) {
  QLinearGradient g(area.topLeft(), area.bottomLeft());
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  p.fillRect(area, g);
  // Streaks of slightly lighter or darker lines of random length.
  QRandomGenerator rng(static_cast<quint32>(seed));
  p.save();
  p.setClipRect(area);
  p.setRenderHint(QPainter::Antialiasing, false);
  for (int y = area.top(); y <= area.bottom(); ++y) {
    int x = area.left() - rng.bounded(200);
    while (x < area.right()) {
      const int len = 40 + rng.bounded(260);
      const bool light = rng.bounded(2) == 0;
      const int alpha = 4 + rng.bounded(10);
      p.setPen(light ? QColor(255, 255, 255, alpha) : QColor(0, 0, 0, alpha + 4));
      p.drawLine(x, y, x + len, y);
      x += len + rng.bounded(30);
    }
  }
  p.restore();
}

void Panel(QPainter& p, const QRect& area, const Theme& t, bool accentLine) {
  p.save();
  QRectF r = QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5);
  QPainterPath path;
  path.addRoundedRect(r, 6, 6);
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  QColor top = t.panelTop, bottom = t.panelBottom;
  top.setAlpha(t.dark ? 235 : 245);
  bottom.setAlpha(t.dark ? 235 : 245);
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  p.fillPath(path, g);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(t.edgeDark, 1));
  p.drawPath(path);
  QPainterPath inner;
  inner.addRoundedRect(r.adjusted(1, 1, -1, -1), 5, 5);
  QColor light = t.edgeLight;
  light.setAlpha(t.dark ? 90 : 200);
  p.setPen(QPen(light, 1));
  p.drawPath(inner);
  if (accentLine) {
    QLinearGradient a(r.topLeft(), r.topRight());
    QColor clear = t.accent;
    clear.setAlpha(0);
    a.setColorAt(0, clear);
    a.setColorAt(0.15, t.accent);
    a.setColorAt(0.85, t.accent);
    a.setColorAt(1, clear);
    p.setPen(QPen(QBrush(a), 2));
    p.drawLine(QPointF(r.left() + 8, r.top() + 1.5), QPointF(r.right() - 8, r.top() + 1.5));
    Glow(p, QRectF(r.left() + 30, r.top() + 1, r.width() - 60, 1), t.accent, 5, 1);
  }
  p.restore();
}

void Well(QPainter& p, const QRect& area, const Theme& t) {
  p.save();
  QRectF r = QRectF(area).adjusted(-1.5, -1.5, 1.5, 1.5);
  p.setPen(Qt::NoPen);
  p.setBrush(t.fieldBack);
  p.drawRoundedRect(r, 2.5, 2.5);
  p.setBrush(Qt::NoBrush);
  QColor shade = t.edgeDark;
  shade.setAlpha(220);
  p.setPen(QPen(shade, 1));
  p.drawRoundedRect(r, 2.5, 2.5);
  QColor rim = t.accent;
  rim.setAlpha(t.dark ? 60 : 110);
  p.setPen(QPen(rim, 1));
  p.drawLine(QPointF(r.left() + 2, r.bottom() + 0.5), QPointF(r.right() - 2, r.bottom() + 0.5));
  p.restore();
}

void Glow(QPainter& p, const QRectF& area, const QColor& colour, int radius, qreal radiusCorner) {
  p.save();
  p.setBrush(Qt::NoBrush);
  for (int i = radius; i >= 1; --i) {
    QColor c = colour;
    c.setAlpha(static_cast<int>(70.0 * (radius - i + 1) / (radius * radius + 1) * 2.2));
    p.setPen(QPen(c, 1.6));
    p.drawRoundedRect(area.adjusted(-i, -i, i, i), radiusCorner + i, radiusCorner + i);
  }
  p.restore();
}

void DownArrow(QPainter& p, const QRectF& area, const QColor& colour) {
  const QPointF c = area.center();
  const qreal w = std::min(area.width(), area.height() * 1.6) * 0.5;
  QPainterPath path;
  path.moveTo(c.x() - w / 2, c.y() - w / 4);
  path.lineTo(c.x() + w / 2, c.y() - w / 4);
  path.lineTo(c.x(), c.y() + w / 4 + 0.5);
  path.closeSubpath();
  p.save();
  p.setPen(Qt::NoPen);
  p.fillPath(path, colour);
  p.restore();
}

void Text(QPainter& p, const QRect& area, const QString& text, int pixelSize, const QColor& colour,
          Qt::Alignment align, bool bold, qreal letterSpacing) {
  p.save();
  QFont font("DejaVu Sans");
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferFullHinting);
  if (letterSpacing != 0) font.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
  p.setFont(font);
  p.setPen(colour);
  p.drawText(area, static_cast<int>(align) | Qt::TextSingleLine, text);
  p.restore();
}

void Brand(QPainter& p, QPoint at, int pixelSize, const Theme& t) {
  const int width = pixelSize * 9;
  const QRect box(at.x(), at.y(), width, pixelSize + 6);
  QColor halo = t.accent;
  halo.setAlpha(t.dark ? 90 : 60);
  for (int d = 2; d >= 1; --d) {
    Text(p, box.translated(0, d), "CORVALINE", pixelSize, QColor(0, 0, 0, t.dark ? 140 : 40),
         Qt::AlignLeft | Qt::AlignVCenter, true, pixelSize * 0.18);
  }
  Text(p, box, "CORVALINE", pixelSize, t.label, Qt::AlignLeft | Qt::AlignVCenter, true,
       pixelSize * 0.18);
  p.save();
  p.setPen(QPen(t.accent, 2));
  const int y = box.bottom() + 3;
  p.drawLine(at.x(), y, at.x() + pixelSize * 3, y);
  Glow(p, QRectF(at.x(), y, pixelSize * 3, 0.5), t.accent, 3, 0.5);
  p.restore();
}

bool WriteSkinIni(const Theme& t, const QString& folder) {
  auto rgb = [](const QColor& c) { return QString("%1,%2,%3").arg(c.red()).arg(c.green()).arg(c.blue()); };
  QString text = "; The colours the " + t.name + " skin is drawn for.\n[Skin]\n";
  text += "TextColor=" + rgb(t.uiText) + "\n";
  for (const char* role : {"List", "Edit", "DropDown"}) {
    text += QString(role) + "TextColor=" + rgb(t.controlText) + "\n";
    text += QString(role) + "BackColor=" + rgb(t.controlBack) + "\n";
  }
  text += "FocusColor=" + rgb(t.focusMark) + "\n";
  text += "FocusContrastColor=" + rgb(t.focusContrast) + "\n";
  QDir().mkpath(folder);
  QFile file(folder + "/" + QString::fromUtf8(corvaline::kSkinIniName.data(), corvaline::kSkinIniName.size()));
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
         file.write(text.toUtf8()) == text.toUtf8().size();
}

bool Save(const QImage& image, const QString& folder, std::string_view fileName, bool opaque) {
  QDir().mkpath(folder);
  QString path = folder + QString::fromUtf8(fileName.data(), static_cast<qsizetype>(fileName.size()));
  if (gScale != 1) path.insert(path.lastIndexOf(QLatin1Char('.')), QStringLiteral("@%1x").arg(gScale));
  return image.convertToFormat(opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32).save(path, "PNG");
}

}  // namespace skingen
