// Screens scaled above 100%: every skin image may come twice, "name.png" and
// "name@2x.png" (exactly twice the size, drawn at twice the detail). With a
// device pixel ratio above 1 the windows compose their canvases at twice the
// pixels (device pixel ratio 2 on the QImage) from the 2x set; Qt scales that
// down where the screen is at 150%. Positions, rectangles and hit regions
// stay in logical pixels everywhere.
#pragma once

#include <QImage>
#include <QString>

#include "gui/skin/skin_image.h"

namespace corvaline {

// The ratio the canvases are composed at: 1, or 2 for any screen ratio above 1.
int SkinPixelRatio();
void SetSkinPixelRatio(qreal screenRatio);

// ".../main.png" -> ".../main@2x.png".
QString DoubleSizePath(const QString& path);

// 1 for a canvas of logical pixels, 2 for one composed at twice the pixels.
int CanvasRatio(const QImage& canvas);

// The image of `path` as a canvas of that ratio takes it: the file itself at
// ratio 1; at ratio 2 its 2x file, or, for a skin without one, the file with
// every pixel doubled. nullptr when neither can be decoded. Valid until the
// next call.
const SkinImage* FindSkinImageFor(const QImage& canvas, const QString& path);

// The same as a new canvas of SkinPixelRatio(), opaque (black where the
// picture is transparent); null when the file cannot be decoded.
QImage OpaqueCanvasAtSkinRatio(const QString& path);

}  // namespace corvaline
