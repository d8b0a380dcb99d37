// One control a page or a dialog draws from skin pictures: what it is, where
// it is and what it says. The view paints and hit-tests through its list,
// and the accessible objects and the keyboard's focus mark are made from the
// same list, so a control added to a view reaches the keyboard and screen
// readers without a second edit.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "core/i18n/ui_language.h"
#include "core/pixel_rect.h"
#include "gui/skin/hover.h"
#include "gui/skin/skin_text.h"

class QFont;
class QImage;
class QWidget;

namespace corvaline {

struct ViewControl {
  enum class Role { Button, RadioButton, CheckBox, Slider, ComboBox, PageTab, Link, Edit, List };
  Role role = Role::Button;
  PixelRect rect;  // the whole control: every step of a slider
  std::function<QString()> name;
  std::function<QString()> value;                // null: none
  std::function<QString()> description;          // null: none
  std::function<std::optional<bool>()> checked;  // null: not checkable; a page tab: selected
  std::function<bool()> enabled;                 // null: always; false: dimmed, clicks change nothing
  std::function<bool()> expanded;                // a box with a list: whether it is open
  // A slider: its value, range, and the rectangle of step v (a click there sets v).
  std::function<int()> level;
  int minimum = 0;
  int maximum = 0;
  std::function<PixelRect(int)> step;
  // An edit field or a list that is a child widget (nullptr while it is
  // not shown): it draws itself, takes its own clicks and, marked, the
  // keyboard; its name is this control's.
  std::function<QWidget*()> field;
  // Draws the control as it stands; null: a child widget or the background
  // draws it.
  std::function<void(QImage&)> draw;
  // A picture button: its pictures go at rect's top-left, the normal one and,
  // while the pointer rests on it, the "-over" one; it lights up alone or in
  // place of the other members of its hover group. Empty: no pictures.
  std::string_view picture;
  std::string_view overPicture;
  int hoverGroup = kHoverAlone;
  // Its name is written over it, centred (OK, Apply, Cancel, the link).
  bool captioned = false;
  // A click inside rect, with the canvas to redraw on (null without a skin
  // or where the view recomposes itself). What the result means is the
  // view's: for a page, false when that spot takes none (between a slider's
  // steps); for the window's band, whether the click ends there.
  std::function<bool(int x, int y, QImage* canvas)> click;
};

// A name in the language of the UI, looked up each time it is asked for.
template <typename Id>
std::function<QString()> UiName(Id id) {
  return [id] { return Utf8(UiText(id, CurrentLanguage())); };
}

// The click goes to the first control with a click whose rectangle holds
// it; nullopt when none does.
std::optional<bool> ClickControls(const std::vector<ViewControl>& controls, int x, int y, QImage* canvas);

// Draws every control that draws itself, in list order.
void DrawControls(const std::vector<ViewControl>& controls, QImage& canvas);

// Draws the normal pictures of the picture buttons, then the captions in
// `font`: every caption after every picture, so a neighbour's picture never
// covers one.
void DrawPictureControls(const std::vector<ViewControl>& controls, QImage& canvas, const QFont& font);
void DrawCaption(const ViewControl& control, QImage& canvas, const QFont& font);

// The hover elements of the picture buttons among `controls`, in list order;
// the element of controls[i] has the id firstId + i.
std::vector<HoverElement> HoverElementsOf(const std::vector<ViewControl>& controls, int firstId);

}  // namespace corvaline
