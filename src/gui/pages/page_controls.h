// One control a page draws from skin pictures: what it is, where it is and
// what it says. The page paints and hit-tests through its list, and the
// accessible objects are made from the same list, so a control added to a
// page reaches the keyboard and screen readers without a second edit.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "core/pixel_rect.h"

class QImage;

namespace corvaline::gui {

struct PageControl {
  enum class Role { Button, RadioButton, CheckBox, Slider, ComboBox };
  Role role = Role::Button;
  PixelRect rect;  // the whole control: every step of a slider
  std::function<QString()> name;
  std::function<QString()> value;                // null: none
  std::function<QString()> description;          // null: none
  std::function<std::optional<bool>()> checked;  // null: not checkable
  std::function<bool()> enabled;                 // null: always; false: dimmed, clicks change nothing
  std::function<bool()> expanded;                // a box with a list: whether it is open
  // A slider: its value, range, and the rectangle of step v (a click there sets v).
  std::function<int()> level;
  int minimum = 0;
  int maximum = 0;
  std::function<PixelRect(int)> step;
  // Draws the control as it stands; null: a child widget draws it.
  std::function<void(QImage&)> draw;
  // A click inside rect, with the canvas to redraw on (null without a
  // skin); false when that spot takes none (between a slider's steps, a
  // step its sensor does not offer).
  std::function<bool(int x, int y, QImage* canvas)> click;
};

// The click goes to the first control whose rectangle holds it; nullopt when
// none does.
std::optional<bool> ClickControls(const std::vector<PageControl>& controls, int x, int y, QImage* canvas);

}  // namespace corvaline::gui
