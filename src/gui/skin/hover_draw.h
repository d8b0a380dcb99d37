// Puts hover elements on the canvas, normal or over, with their texts.
#pragma once

#include <QFont>
#include <QImage>
#include <QString>

#include <functional>
#include <string_view>
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

// The pictures a page is composed from, in order, the first over black: what
// lies under every element.
using HoverUnderLayers = std::vector<std::string_view>;

// Puts back what `layers` show in `area` (logical pixels), as the canvas was
// composed before anything was drawn on it; false (canvas untouched) when a
// layer cannot be read.
bool RestoreUnder(QImage* canvas, const QRect& area, const HoverUnderLayers& layers);

// Which elements are on the canvas now (the current page's); null: all.
using HoverShownFilter = std::function<bool(const HoverElement& element)>;

// Carries out the redraws a HoverTracker asked for, in their order. An
// element going back to normal first gets back what lies under it (a glow of
// the over picture may reach past the normal picture's opaque pixels), with
// the shown neighbours that reach into that area.
void DrawHoverRedraws(QImage* canvas, const HoverTracker& tracker, const std::vector<HoverRedraw>& redraws,
                      const HoverTextDrawer& drawText, const HoverUnderLayers& under = {},
                      const HoverShownFilter& shown = {});

}  // namespace corvaline
