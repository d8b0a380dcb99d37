#include "gui/skin/child_colours.h"

#include <QWidget>

#include "gui/skin/ui_fonts.h"
#include "gui/skin/skin_state.h"

namespace corvaline {

namespace {
SkinColours& Current() {
  static SkinColours colours;
  return colours;
}
}  // namespace

const SkinColours& LoadSkinColours(const QString& skinFolder) {
  Current() = ReadSkinColours(skinFolder.toStdString());
  return Current();
}

const SkinColours& CurrentSkinColours() { return Current(); }

QColor ToQColor(const Rgb& rgb) { return QColor(rgb[0], rgb[1], rgb[2]); }

ControlColours SkinControlColours(ControlRole role, ControlColours fallback) {
  const SkinColours& c = Current();
  const std::optional<Rgb>* text = &c.dropDownText;
  const std::optional<Rgb>* back = &c.dropDownBack;
  if (role == ControlRole::List) {
    text = &c.listText;
    back = &c.listBack;
  } else if (role == ControlRole::Edit) {
    text = &c.editText;
    back = &c.editBack;
  }
  return {*text ? ToQColor(**text) : fallback.text, *back ? ToQColor(**back) : fallback.back};
}

}  // namespace corvaline

namespace corvaline::gui {

namespace {

void Paint(QWidget& control, ControlColours colours) {
  QPalette palette = control.palette();
  if (colours.text.isValid()) {
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
      palette.setColor(role, colours.text);
  }
  if (colours.back.isValid()) {
    for (auto role : {QPalette::Window, QPalette::Base})
      palette.setColor(role, colours.back);
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
      Paint(control, SkinControlColours(ControlRole::Edit, {TextColour(), Qt::black}));
      return;
    case ChildKind::ListBox:
      if (id == kMacroListId || id == kMacroEventListId) {
        Paint(control, SkinControlColours(ControlRole::List, {TextColour(), QColor(14, 15, 14)}));
      } else {
        Paint(control, SkinControlColours(ControlRole::List, {Qt::white, Qt::black}));
        control.setFont(fonts.normal);
      }
      return;
    case ChildKind::Static:
      if (id >= kFirstSwatchId && id <= kLastSwatchId) {
        Paint(control, {QColor(), swatchColour});
        return;
      }
      // The labels of the page are the boxes that show a choice.
      Paint(control, SkinControlColours(ControlRole::DropDown,
                                        {TextColour(), IsLabelOnBlack(id) ? QColor(Qt::black)
                                                                          : QColor(100, 150, 100)}));
      control.setFont(fonts.normal);
      return;
    case ChildKind::Button:
      return;  // buttons keep the system's look
  }
}

}  // namespace corvaline::gui
