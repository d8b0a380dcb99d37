// Assistive technology's view of the sub-dialogs and the Skins dialog: their
// lists, fields, choices and buttons, named by the texts drawn beside them.
#pragma once

#include <QAccessibleInterface>
#include <QObject>

namespace corvaline::gui {

// The accessible object of a skinned dialog; nullptr for any other object.
QAccessibleInterface* MakeAccessibleDialog(QObject* object);

// The name of a dialog's drop-down list: that of its box.
QString DialogListName(QObject* dialog);

// Names the edit fields of the dialogs and of the macro editor as they are
// made, and gives each dialog a focus mark and tree notices when it first
// shows.
void WatchDialogs();

}  // namespace corvaline::gui
