// A window placed from a stored rectangle may lie off the screen (the
// screen got smaller, or another screen is gone): it is brought back
// whole onto the screen, no larger than it.
#pragma once

#include "ui/ui_types.h"

CUiRect KeepOnScreen(const CUiRect& window, const CUiRect& screen);
