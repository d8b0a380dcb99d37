// How the macro editor asks for a delay step: the delay dialog behind a
// function, so the editor's view does not depend on the dialog's class.
#pragma once

#include <functional>
#include <optional>

#include "core/buttons/dialog_results.h"

class QWidget;

namespace corvaline::gui {

// Runs the delay dialog modally over `parent`; nullopt when it was cancelled.
using DelayPrompt = std::function<std::optional<DelayResult>(QWidget* parent)>;

}  // namespace corvaline::gui
