// Whether the program has a screen to show its windows on.
#pragma once

#include <string>

// True when Qt is told which platform to take (QT_QPA_PLATFORM) or an X11
// or Wayland display is named (DISPLAY, WAYLAND_DISPLAY).
bool HasDisplay();

// The one line that says there is none and how to run the program under a
// virtual display instead.
std::string NoDisplayLine(const std::string& file);
