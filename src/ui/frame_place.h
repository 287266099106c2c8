// Where a window placed before its frame was known goes once the frame is
// known (some window systems tell it only after the window shows).
//
// A place given with its own size, such as a stored place, keeps its outer
// rectangle: the frame comes out of the client, so that the place does not
// creep by the frame at each run. A window only moved there, its size its
// own (a dialog centred over its owner), keeps its client size: it grows
// by what the frame added, around the same centre, so that nothing of its
// template is cut.
#pragma once

#include "ui/ui_types.h"

CUiRect PlaceWithKnownFrame(const CUiRect& placed, const CUiSize& placedFrame, const CUiSize& frame, bool onlyMoved);
