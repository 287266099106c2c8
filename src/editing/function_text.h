// A function block's text on the function page. The document keeps it with
// "\n" line ends, the edit shows "\r\n" line ends.
//
// A text the user left as it was shown keeps its bytes and asks nothing. An
// edited one is refused when it would not come back from the file as this
// one block (a line the reader takes for the start of another block, such
// as "@@ITEM" or "@@END"); otherwise it gets the missing "\" after
// double-byte characters and is stored.
#pragma once

#include <cstdint>

#include "document/merx_document.h"
#include "document/yes_no_question.h"

// The edit's text for a block's `text`.
void ShowFunctionText(const char* text, CStr_base<16384>& edit);

// Reads the edit back into `text`, the text of the block of `keyword` in
// `doc`: `shown` is what the edit gave back when the block was shown, `now`
// what it holds; `escapeMode` is the pages' 0x5C completion mode. False,
// with `text` left alone and lines in `errors` numbered by the lines of the
// edit, when the edited text cannot be stored.
bool ReadBackFunctionText(const CMerxDocument& doc, const char* keyword, const CStr_base<16384>& shown,
                          const CStr_base<16384>& now, int32_t escapeMode, CYesNoQuestion& question,
                          CMerxBlockText& text, CStr_base<1024>& errors);
