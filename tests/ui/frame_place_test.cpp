// A window placed before its frame was known, once the frame is known.
#include <gtest/gtest.h>

#include "ui/frame_place.h"

namespace {

TEST(FramePlace, AMovedWindowKeepsItsClientAStoredPlaceItsOuterRectangle)
{
    struct Case {
        CUiRect placed;
        CUiSize placedFrame;
        CUiSize frame;
        bool onlyMoved;
        CUiRect expected;
        const char* why;
    };
    const Case cases[] = {
        {{300, 260, 430, 180}, {0, 0}, {10, 30}, true, {295, 245, 440, 210}, "centred dialog: grows around its centre"},
        {{300, 260, 430, 180}, {0, 0}, {10, 30}, false, {300, 260, 430, 180}, "stored place: stands"},
        {{300, 260, 440, 210}, {10, 30}, {12, 34}, true, {299, 258, 442, 214}, "a frame that changed again"},
        {{300, 260, 430, 180}, {0, 0}, {0, 0}, true, {300, 260, 430, 180}, "no frame"},
    };
    for (const Case& c : cases) {
        const CUiRect r = PlaceWithKnownFrame(c.placed, c.placedFrame, c.frame, c.onlyMoved);
        EXPECT_TRUE(r == c.expected) << c.why << ": " << r.x << "," << r.y << " " << r.w << "x" << r.h;
    }
}

}  // namespace
