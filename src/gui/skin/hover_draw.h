// Puts hover elements on the canvas, normal or over, with their texts.
#pragma once

#include <QFont>
#include <QImage>
#include <QString>

#include <functional>
#include <vector>

#include "gui/skin/hover.h"

namespace corvaline {

// Draws the element's image (over or normal) at its region's top-left corner,
// then the caption centred in the region. When the image is missing nothing
// is drawn at all, so the picture already there stays readable.
void DrawHoverElement(QImage* canvas, const HoverElement& element, bool over, const QString& caption,
                      const QFont& font);

// Draws the texts of one element after its image; picture-only elements draw
// nothing. Page elements whose text is more than a caption bring their own.
using HoverTextDrawer = std::function<void(QImage* canvas, const HoverElement& element)>;

// Carries out the redraws a HoverTracker asked for, in their order.
void DrawHoverRedraws(QImage* canvas, const HoverTracker& tracker,
                      const std::vector<HoverRedraw>& redraws, const HoverTextDrawer& drawText);

}  // namespace corvaline
