// Drawing helpers and the palettes of the generated skins.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

#include <string_view>

namespace skingen {

// A rectangle by its edges, right and bottom excluded.
inline QRect LTRB(int l, int t, int r, int b) { return QRect(l, t, r - l, b - t); }

struct Theme {
  QString name;
  bool dark = true;
  QColor backTop, backBottom;    // window body gradient
  QColor panelTop, panelBottom;  // raised panels
  QColor edgeLight, edgeDark;    // bevel lines
  QColor accent;                 // glows, selected states
  QColor accentDeep;
  QColor label, labelDim;        // texts drawn into the artwork
  QColor fieldBack;              // wells behind child controls
  QColor buttonTop, buttonBottom;
  QColor idle;                   // unselected slider cells
  // The sub-dialogs draw some of their texts in fixed white, so their content
  // panel stays dark even in a light skin.
  QColor dialogTop, dialogBottom, dialogLabel;
  // What the skin declares in its skin.ini: the UI text colour it is drawn
  // for, and the colours of the lists, edits and drop-down boxes that sit in
  // its wells.
  QColor uiText;
  QColor controlText, controlBack;
  // The keyboard's focus mark, each of its pixels in the one of the pair
  // that stands out more from what it covers. The two are at least 9:1
  // apart, which keeps every pixel at 3:1 or more over any picture.
  QColor focusMark, focusContrast;
};

Theme CarbonTheme();
Theme FrostTheme();

// Every image is drawn twice: at 1x and, for screens scaled above 100%, at
// 2x (twice the pixels, the same logical coordinates, saved as name@2x.png).
int DrawingScale();
void SetDrawingScale(int scale);

// Transparent image of the given logical size at the drawing scale, ready for
// antialiased drawing.
QImage NewImage(int width, int height);
void BeginPainter(QPainter& painter, QImage& image);

// Fine horizontal grain over a vertical gradient: the brushed-metal look.
void Brushed(QPainter& p, const QRect& area, const QColor& top, const QColor& bottom, int seed);
// Raised panel with a bevel and a thin accent line along its top edge.
void Panel(QPainter& p, const QRect& area, const Theme& t, bool accentLine = true);
// Sunken well for a child control (list, edit, value label).
void Well(QPainter& p, const QRect& area, const Theme& t);
// Soft halo around a rectangle in the given colour.
void Glow(QPainter& p, const QRectF& area, const QColor& colour, int radius, qreal radiusCorner = 3);
// Small downward triangle, centred in `area`.
void DownArrow(QPainter& p, const QRectF& area, const QColor& colour);
// One line of artwork text.
void Text(QPainter& p, const QRect& area, const QString& text, int pixelSize, const QColor& colour,
          Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter, bool bold = false,
          qreal letterSpacing = 0);
// "CORVALINE" brand mark with its accent underline.
void Brand(QPainter& p, QPoint at, int pixelSize, const Theme& t);

// Writes the image under `folder` with the skin file name (which begins with
// "/"; "@2x" added before ".png" at scale 2); false on a write failure. Opaque pictures are stored without alpha
// (24-bit PNG), the others with it.
bool Save(const QImage& image, const QString& folder, std::string_view fileName, bool opaque = false);

// The image sets, each written into `folder`.
bool DrawControls(const Theme& t, const QString& folder);
bool DrawPages(const Theme& t, const QString& folder);
bool DrawDialogs(const Theme& t, const QString& folder);
// The skin's skin.ini (UTF-8) with the colours the theme declares.
bool WriteSkinIni(const Theme& t, const QString& folder);
// Application icon at the usual sizes into `folder` as corvaline-<size>.png,
// and the same drawings as the Windows icon corvaline.ico.
bool DrawIcons(const QString& folder);

}  // namespace skingen
