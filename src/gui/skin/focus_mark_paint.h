// The keyboard's focus mark over a window drawn from pictures: a frame
// kFocusMarkWidth logical pixels wide, each device pixel of it in the one of
// the skin's two focus colours that stands out more from what lies under it.
#pragma once

#include <QImage>

#include "core/settings/focus_mark.h"

class QWidget;

namespace corvaline {

inline constexpr int kFocusMarkWidth = 2;

// The frame for a picture of what lies under it (of any device pixel ratio):
// the same size and ratio, the frame opaque, its inside transparent.
QImage FocusMarkOver(const QImage& beneath, const FocusMarkColours& colours);

// Paints the current skin's mark into `mark`, a transparent child laid over
// its parent, from what the parent and its other children draw under it.
void PaintFocusMark(QWidget& mark);

}  // namespace corvaline
