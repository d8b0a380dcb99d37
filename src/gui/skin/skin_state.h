// The process-wide skin choice: the folder every image is read from, the skin's
// name and the colour in which every skinned window draws its texts. Set at
// start-up and replaced when the user picks another skin; the GUI thread is
// the only reader and writer.
#pragma once

#include <QColor>
#include <QString>

#include <string_view>

namespace corvaline {

// Folder of the current skin, e.g. "<data dir>/Skins/Carbon" (no trailing
// separator: image names carry the leading one).
const QString& SkinFolder();
void SetSkinFolder(const QString& folder);

// The folder's own name, stored in str.ini as "Path".
const QString& SkinName();
void SetSkinName(const QString& name);

// Text colour of the skinned windows; green until start-up reads str.ini.
QColor TextColour();
void SetTextColour(QColor colour);

// Full path of one skin file: the current folder followed by its name, or by
// the name of the UI language's variant where the skin has one.
QString SkinPath(std::string_view fileName);

}  // namespace corvaline
