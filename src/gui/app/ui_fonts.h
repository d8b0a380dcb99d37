// Moved to gui/ui with the pages that use it.
#pragma once
#include "gui/ui/ui_fonts.h"
