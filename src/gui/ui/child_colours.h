// The colours of the main window's child controls, by kind and id, so the
// lists, edits and labels of the pages sit on the skin the way the skin
// expects.
#pragma once

#include <QColor>

class QWidget;

namespace corvaline::gui {

struct UiFonts;

enum class ChildKind { Edit, ListBox, Static, Button };

// Control ids with colours of their own.
inline constexpr int kMacroListId = 151;        // macro list of the macro editor
inline constexpr int kMacroEventListId = 152;   // its event list
inline constexpr int kFirstSwatchId = 71;       // DPI stage colour swatches 71..74
inline constexpr int kLastSwatchId = 74;

// Sets palette, background and font of one child control. Swatches take
// the stage colour given in swatchColour.
void ApplyChildColours(QWidget& control, ChildKind kind, int id, const UiFonts& fonts,
                       QColor swatchColour = QColor());

}  // namespace corvaline::gui
