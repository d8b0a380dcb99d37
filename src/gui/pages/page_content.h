// The contents of a page (the Basic page's boxes and sliders, the Advanced
// page's pointer settings and macro editor). The shell composes the page's
// background, the window's common buttons and the title; the content draws
// the rest, owns the page's child controls and answers the page's clicks.
#pragma once

#include <QImage>
#include <vector>

#include "gui/pages/page_controls.h"
#include "gui/skin/hover.h"

namespace corvaline::gui {

// The regions of one page's contents. A page first closes the drop-down
// lists the click is not in (testing then goes on), then tries its own
// regions; Dispatch returns true when a region took the click.
class PageRegions {
 public:
  virtual ~PageRegions() = default;
  virtual void CloseListsOutside(int x, int y) = 0;
  virtual bool Dispatch(int x, int y) = 0;
  // The page's controls in reading order, from which its accessible
  // objects and its Tab order are made (none by default).
  virtual std::vector<PageControl> Controls() { return {}; }
};

class PageContent : public PageRegions {
 public:
  // Draws over the common parts and creates the page's child controls.
  virtual void Compose(QImage& canvas) = 0;
  virtual bool HasControls() const = 0;
  // Destroys the child controls (labels, open lists, edits).
  virtual void DestroyControls() = 0;
  // The texts over one of the page's hover elements, after its image was
  // drawn normal or over (captions, a box's number and function).
  virtual void DrawHoverText(QImage& /*canvas*/, const HoverElement& /*element*/) {}
};

}  // namespace corvaline::gui
