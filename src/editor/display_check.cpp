#include "editor/display_check.h"

#include <cstdlib>

namespace {

bool IsSet(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

}  // namespace

bool HasDisplay() { return IsSet("QT_QPA_PLATFORM") || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY"); }

std::string NoDisplayLine(const std::string& file)
{
    return "TavaroItemEditor: no display to show the window on (DISPLAY and WAYLAND_DISPLAY are unset); "
           "run it under a virtual display: xvfb-run -a TavaroItemEditor" +
           (file.empty() ? std::string() : " '" + file + "'");
}
