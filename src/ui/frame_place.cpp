#include "ui/frame_place.h"

CUiRect PlaceWithKnownFrame(const CUiRect& placed, const CUiSize& placedFrame, const CUiSize& frame, bool onlyMoved)
{
    if (!onlyMoved)
        return placed;
    const int32_t w = frame.w - placedFrame.w;
    const int32_t h = frame.h - placedFrame.h;
    return {placed.x - w / 2, placed.y - h / 2, placed.w + w, placed.h + h};
}
