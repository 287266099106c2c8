// The functions a function block declares: the word after "sub" at the
// start of a line ("sub stock_le" declares stock_le). The pages offer them
// as references of script fields.
#pragma once

#include "foundation/str_array.h"

// Replaces `names` by the declared names of `text`, in text order.
void FindDeclaredSubs(const char* text, CStrArray_base<64>& names);
