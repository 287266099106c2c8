// The definition page's text: the whole "@@DEFINE" block, with "\n" line
// ends in the document and "\r\n" in the edit.
//
// Applying reads an edited text into a fresh definition and moves it into
// the document only when the reader had nothing to say and the text comes
// back from the file as this one block. A text the user left as it was
// shown is not read again: a definition that was read with messages (a
// repeated type id, say) can be looked at without being refused.
#pragma once

#include "document/merx_document.h"

// Applies the edit to `doc.definedata`: `shown` is what the edit gave back
// when the definition was shown, `now` what it holds. False, with the
// definition left as it was and numbered lines in `errors`, when the edited
// text cannot be stored.
bool ApplyDefineText(CMerxDocument& doc, const CStr_base<16384>& shown, const CStr_base<16384>& now,
                     CStr_base<1024>& errors);
