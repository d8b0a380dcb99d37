// The colours of the child controls (lists, edits, the boxes that show a
// choice), by kind and id, so the lists, edits and labels of the pages and
// dialogs sit on the skin the way the skin expects. A skin may declare them in
// its skin.ini; where it does not, the program's own colours stay.
#pragma once

#include <QColor>
#include <QString>

#include "core/settings/skin_ini.h"

class QWidget;

namespace corvaline {

// Reads the skin.ini of a skin folder into the process-wide skin colours; at
// start and whenever a skin is chosen. Returns what it read.
const SkinColours& LoadSkinColours(const QString& skinFolder);
const SkinColours& CurrentSkinColours();
QColor ToQColor(const Rgb& rgb);

struct ControlColours {
  QColor text, back;
};
enum class ControlRole { List, Edit, DropDown };
// The current skin's colours for a role, each one that the skin leaves open
// taken from `fallback`.
ControlColours SkinControlColours(ControlRole role, ControlColours fallback);

}  // namespace corvaline

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
