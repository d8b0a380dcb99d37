// The left half of the Advanced page: three 11-tick sliders, two check boxes
// and the restore button, drawn from the skin onto the window's canvas and
// hit-tested by rectangle. Elements the desktop cannot change are drawn
// dimmed with a note and ignore clicks.
#pragma once

#include <QFont>
#include <QImage>

#include "core/system/system_mouse.h"

namespace corvaline::gui {

// Where the half's drawn controls are, for the accessible objects and the
// keyboard: they click where the mouse would.
struct SystemMouseSpots {
  static QRect Tick(int slider, int tick);  // slider 1..3, tick 1..11
  static QRect Box(int box);                // 1 precision, 2 one screen
  static QRect Restore();
};

class SystemMouseView {
 public:
  explicit SystemMouseView(SystemMouse& mouse) : mouse_(mouse) {}

  // Headings, sliders with their numbers, check boxes with labels and the
  // restore button with its caption. Reads the desktop's values first when
  // this is the page's first showing in the run.
  void Compose(QImage& canvas, const QFont& font);
  // The restore button's caption, over its normal or over image.
  void DrawRestoreCaption(QImage& canvas, const QFont& font) const;

  // Check boxes and the restore button (they end the dispatch).
  bool ClickOptions(int x, int y, QImage* canvas);
  // Slider ticks (they end the dispatch).
  bool ClickSliders(int x, int y, QImage* canvas);

 private:
  void DrawTicks(QImage& canvas, int slider) const;
  void DrawSlider(QImage& canvas, int slider, const QFont& font) const;
  void DrawBox(QImage& canvas, int box) const;
  void DrawCheckBox(QImage& canvas, int box, const QFont& font) const;

  SystemMouse& mouse_;
};

}  // namespace corvaline::gui
