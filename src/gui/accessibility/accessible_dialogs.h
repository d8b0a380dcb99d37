// Assistive technology's view of the sub-dialogs and the Skins dialog, made
// from each dialog's own control list and name.
#pragma once

#include <QAccessibleInterface>
#include <QObject>

namespace corvaline::gui {

// The accessible object of a skinned dialog; nullptr for any other object.
QAccessibleInterface* MakeAccessibleDialog(QObject* object);

// The name of a dialog's drop-down list: that of its box.
QString DialogListName(QObject* dialog);

// Names the fields and lists of every window from its control list as they
// show or take the focus, and gives each dialog a focus mark and tree
// notices when it first shows.
void WatchDialogs();

}  // namespace corvaline::gui
