// The left half of the Advanced page: three 11-tick sliders, two check boxes
// and the restore button, drawn from the skin onto the window's canvas and
// hit-tested through its control list, which the accessible objects read
// too. Elements the desktop cannot change are drawn dimmed with a note and
// ignore clicks.
#pragma once

#include <QFont>
#include <QImage>
#include <vector>

#include "core/system/system_mouse.h"
#include "gui/pages/page_controls.h"

namespace corvaline::gui {

// The desktop calls that failed, each as a warning box.
void ShowPointerProblems(const PointerProblems& problems);

class SystemMouseView {
 public:
  explicit SystemMouseView(SystemMouse& mouse) : mouse_(mouse) {}

  // Headings, sliders with their numbers, check boxes with labels and the
  // restore button with its caption. Reads the desktop's values first when
  // this is the page's first showing in the run.
  void Compose(QImage& canvas, const QFont& font);
  // The restore button's caption, over its normal or over image.
  void DrawRestoreCaption(QImage& canvas, const QFont& font) const;

  // In reading order: each slider, the check box below it, the restore
  // button. Their clicks end the dispatch.
  std::vector<PageControl> Controls();

 private:
  void Restore(QImage* canvas);
  void DrawTicks(QImage& canvas, int slider) const;
  void DrawSliderTexts(QImage& canvas, int slider, const QFont& font) const;
  void DrawBox(QImage& canvas, int box) const;
  void DrawBoxTexts(QImage& canvas, int box, const QFont& font) const;

  SystemMouse& mouse_;
};

}  // namespace corvaline::gui
