// The contents of a page (the Basic page's boxes and sliders, the Advanced
// page's pointer settings and macro editor). The shell composes the page's
// background, the window's common buttons and the title; the content draws
// the rest, owns the page's child controls and answers the page's clicks.
#pragma once

#include <QImage>

#include "gui/app/hit_regions.h"

namespace corvaline::gui {

class PageContent : public PageRegions {
 public:
  // Draws over the common parts and creates the page's child controls.
  virtual void Compose(QImage& canvas) = 0;
  virtual bool HasControls() const = 0;
  // Destroys the child controls (labels, open lists, edits).
  virtual void DestroyControls() = 0;
};

}  // namespace corvaline::gui
