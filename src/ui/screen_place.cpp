#include "ui/screen_place.h"

#include <algorithm>

CUiRect KeepOnScreen(const CUiRect& window, const CUiRect& screen)
{
    if (screen.w <= 0 || screen.h <= 0)
        return window;
    CUiRect r = window;
    r.w = std::min(r.w, screen.w);
    r.h = std::min(r.h, screen.h);
    r.x = std::clamp(r.x, screen.x, screen.x + screen.w - r.w);
    r.y = std::clamp(r.y, screen.y, screen.y + screen.h - r.h);
    return r;
}
