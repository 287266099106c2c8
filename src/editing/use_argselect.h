// Argument choices of a use entry ("argselect" entries, beta rule): a
// parameter, ";" and the heading shown for it.
//
// An entry whose controls the user left alone keeps its text. An edited
// parameter may hold ASCII letters and digits only; an edited heading no
// ";", blank or "#" (the file's argselect line separates its parts by ";",
// and "#" would begin a comment that swallows the choices after it).
#pragma once

#include "foundation/str_base.h"

struct CArgselectControls {
    CStr_base<64> param, heading;
};

// The parameter before the first ";" and the heading after it.
void ShowArgselectEntry(const char* entry, CArgselectControls& controls);

// Reads the controls back into `entry`. Appends one line per refused
// control to `errors` and returns false, leaving `entry` alone.
bool ReadBackArgselectEntry(const CArgselectControls& shown, const CArgselectControls& now, CStr_base<64>& entry,
                            CStr_base<1024>& errors);
