// The "param" lines of an event (an item name, blanks and a value) as the
// event page shows them in its item combo and value edit.
//
// A line the user did not edit keeps its text ("木材 5 10" stays as it is);
// an edited one is joined from the two controls with a tab.
#pragma once

#include "foundation/str_base.h"

struct CParamControls {
    CStr_base<64> item, value;
};

// Splits a line into its first word and the word after the blanks behind
// it (a further word is not shown); false for a line without that form,
// which cannot be shown.
bool ShowParamLine(const char* line, CParamControls& controls);

// Reads the controls back into `line` when one of them was edited.
void ReadBackParamLine(const CParamControls& shown, const CParamControls& now, CStr_base<64>& line);
