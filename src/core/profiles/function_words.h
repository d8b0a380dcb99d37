// Button functions in words: the form `corvalinectl set button` takes and
// `show` and the profile files print ("fire A --speed 10 --times 3",
// "combo 'Left Ctrl+Z'", "macro copy --repeat while-held"), and the
// assignment of such a function through the same rules as the button menus.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/buttons/button_assign.h"

namespace corvaline {

// One parsed function: the category and what its sub-dialog would return.
struct FunctionChoice {
  FunctionCategory category = FunctionCategory::KeyOff;
  int dpiPosition = 0;  // DPI Switch: entry 0..3 of the DPI sub-menu
  WindowsKeyResult windows;
  MediaKeyResult media;
  FireKeyResult fire;
  SingleKeyResult single;
  ComboKeyResult combo;
  MacroKeyResult macro;
};

struct FunctionParse {
  std::optional<FunctionChoice> choice;
  std::string error;  // one line, when choice is empty
  // The words are right but name what the files do not hold (a macro).
  bool missing = false;
};

// Parses the words after "set button N" (options included, e.g. {"fire",
// "A", "--speed", "10"}). Several words after the name are joined with one
// space, so `key Page Up` and `key 'Page Up'` mean the same. Names are
// matched without regard to case, and the button menus' own names of the
// functions and of the Windows and multimedia entries are taken in each of
// the program's languages ("Mid Click", "中键", "Multimedia"); macroNames
// are record.ini's sections in order (a macro is named by its name or its
// number 1..12).
// `key ''` and `combo ''` are what a key the program had no code for is
// stored as: a stored configuration (a profile) may say so, a user's choice
// may not.
enum class EmptyKey { Refused, Kept };
FunctionParse ParseFunctionWords(const std::vector<std::string>& words,
                                 const std::vector<std::string>& macroNames,
                                 EmptyKey empty = EmptyKey::Refused);

// The same from one line of words, split as a POSIX shell would
// (quotes and backslashes).
FunctionParse ParseFunctionText(std::string_view text, const std::vector<std::string>& macroNames,
                                EmptyKey empty = EmptyKey::Refused);

// The slot's function in those words, quoted so that the line can be pasted
// after "corvalinectl set button N". Bytes the words cannot say (only a
// damaged config.bin holds them) give the nearest function.
std::string FunctionWordsOf(const SettingsBlock& block, KeyGroup group, int slot,
                            const std::vector<std::string>& macroNames);

// Assigns the function to a visible slot (0..9) of the edited key group with
// the rules of the button menus: the group's last left button keeps its
// function and Shift exists once (both refused with a message to show).
// Choosing what the slot already is as Shift changes nothing and succeeds.
AssignOutcome AssignFunction(const ButtonEditTarget& target, int slot,
                             const FunctionChoice& choice);

// A macro's repeat mode (1..3, the macro dialog's order) in words: "count",
// "until-key", "while-held". RepeatModeOf gives nullopt for any other word;
// RepeatWordOf takes a mode outside 1..3 as 1, as the mouse plays it.
// RepeatWordsJoined lists them for a usage line or a message ("a|b|c").
std::optional<int> RepeatModeOf(std::string_view word);
std::string_view RepeatWordOf(int mode);
std::string RepeatWordsJoined(std::string_view separator, std::string_view lastSeparator);

// Splits a line into words as a POSIX shell does (no expansions); nullopt
// for an unterminated quote.
std::optional<std::vector<std::string>> SplitShellWords(std::string_view text);
// One word quoted for a POSIX shell when it needs it.
std::string ShellQuote(std::string_view word);

}  // namespace corvaline
