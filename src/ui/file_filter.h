// The filter text of file dialogs: pairs of a display name and a pattern
// list, each followed by "|", closed by a second "|":
// "CGI ファイル(*.cgi)|*.cgi|全てのファイル(*.*)|*.*||". Patterns within one
// entry are separated by ";".
#pragma once

#include "foundation/str_array.h"

// Fills `names` and `patterns` with the pairs, in order; stops at the empty
// piece that closes the list or at the end of the text. A name without a
// pattern is dropped. The scan steps over double-byte characters whole, so
// a second byte 0x7C is no separator.
void UiSplitFileFilter(const char* filter, CStrArray_base<64>& names, CStrArray_base<64>& patterns);
