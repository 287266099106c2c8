// A stored place off the screen is brought back onto it.
#include <gtest/gtest.h>

#include "ui/screen_place.h"

namespace {

TEST(ScreenPlace, AWindowOffTheScreenComesBackWhole)
{
    const CUiRect screen{0, 0, 1600, 1000};
    struct Case {
        CUiRect window;
        CUiRect expected;
        const char* why;
    };
    const Case cases[] = {
        {{100, 50, 800, 600}, {100, 50, 800, 600}, "on the screen: as it is"},
        {{3000, 50, 800, 600}, {800, 50, 800, 600}, "right of the screen"},
        {{-900, -700, 800, 600}, {0, 0, 800, 600}, "above and left of it, title bar out of reach"},
        {{100, 900, 800, 600}, {100, 400, 800, 600}, "its lower part below the screen"},
        {{-50, -20, 2000, 1400}, {0, 0, 1600, 1000}, "larger than the screen"},
    };
    for (const Case& c : cases) {
        const CUiRect r = KeepOnScreen(c.window, screen);
        EXPECT_TRUE(r == c.expected) << c.why << ": " << r.x << "," << r.y << " " << r.w << "x" << r.h;
    }
    EXPECT_TRUE(KeepOnScreen({5, 5, 10, 10}, {}) == (CUiRect{5, 5, 10, 10}));  // no screen known
}

}  // namespace
