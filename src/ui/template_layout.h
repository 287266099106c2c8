// How a dialog's controls follow its client area when the window grows:
// lists and multi-line edits take the room, single-line fields stretch
// sideways, group boxes and tab controls grow with what they hold, and
// buttons, check boxes and labels keep their size.
//
// Sideways, the room is shared among the stretching controls of the whole
// template in proportion to their width, so that controls of one column
// stay in line. Downwards, each control follows only the lists and
// multi-line edits that share some of its width (its own column): rows
// above them stay, rows below them move down by what they grew. A control
// of fixed size keeps to the left of the room its template rectangle maps
// to, or to the right edge when nothing stretches to its right. The window never gets smaller
// than its template; a client area smaller than that keeps the template.
#pragma once

#include <vector>

#include "ui/ui_template.h"

// The rectangles of the template's controls, in template order, for a
// client area of `client`.
std::vector<CUiRect> FollowClientSize(const CUiDialogTemplate& dialogTemplate, CUiSize client);
