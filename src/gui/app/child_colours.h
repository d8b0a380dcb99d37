// Moved to gui/ui with the pages that use it.
#pragma once
#include "gui/ui/child_colours.h"
