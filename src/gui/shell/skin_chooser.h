// The main window's ChooseSkin: the Skins dialog, and after its OK the new
// skin and text colour everywhere at once: the process-wide choice, str.ini,
// the shell's copy of the str.ini keys, and the page on show composed again.
#pragma once

#include "gui/dialogs/skins_dialog.h"

namespace corvaline::gui {

class Shell;

// Gives the shell's Skins button the dialog (`chooser` stands in for the
// system colour chooser in tests).
void InstallSkinChooser(Shell& shell, SkinColourChooser chooser = {});

// What the dialog's OK does with its choice.
void ApplySkinChoice(Shell& shell, const SkinChoice& choice);

}  // namespace corvaline::gui
