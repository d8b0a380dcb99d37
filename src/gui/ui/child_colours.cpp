#include "gui/ui/child_colours.h"

#include <QWidget>

#include "gui/ui/ui_fonts.h"
#include "gui/ui/skin_state.h"

namespace corvaline::gui {

namespace {

void Paint(QWidget& control, QColor text, QColor background) {
  QPalette palette = control.palette();
  if (text.isValid()) {
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
      palette.setColor(role, text);
  }
  if (background.isValid()) {
    for (auto role : {QPalette::Window, QPalette::Base})
      palette.setColor(role, background);
    control.setAutoFillBackground(true);
  }
  control.setPalette(palette);
}

bool IsLabelOnBlack(int id) { return id == 80 || id == 81 || id == 82 || id == 119; }

}  // namespace

void ApplyChildColours(QWidget& control, ChildKind kind, int id, const UiFonts& fonts,
                       QColor swatchColour) {
  switch (kind) {
    case ChildKind::Edit:
      Paint(control, TextColour(), Qt::black);
      return;
    case ChildKind::ListBox:
      if (id == kMacroListId || id == kMacroEventListId) {
        Paint(control, TextColour(), QColor(14, 15, 14));
      } else {
        Paint(control, Qt::white, Qt::black);
        control.setFont(fonts.normal);
      }
      return;
    case ChildKind::Static:
      if (id >= kFirstSwatchId && id <= kLastSwatchId) {
        Paint(control, QColor(), swatchColour);
        return;
      }
      Paint(control, TextColour(), IsLabelOnBlack(id) ? QColor(Qt::black) : QColor(100, 150, 100));
      control.setFont(fonts.normal);
      return;
    case ChildKind::Button:
      return;  // buttons keep the system's look
  }
}

}  // namespace corvaline::gui
