// The function page's direct edit: the twelve function blocks as one text
// in the notation of the data file (each block's keyword line, then its
// text, in keyword order, as CMerxWriter::WriteFunctionBlocks renders
// them), read back block by block.
#pragma once

#include <cstdint>

#include "document/function_keywords.h"
#include "document/edit_command.h"
#include "document/merx_document.h"
#include "document/yes_no_question.h"

// The texts of the twelve blocks, in keyword order.
struct CFunctionTexts {
    CMerxBlockText text[MERX_FUNCTION_COUNT];
};

// Cuts `text` ("\n" line ends) into blocks as the reader does and takes
// each block's text under its keyword; a keyword that stands twice gets
// both texts one after the other, as the reader joins them, and a keyword
// that is missing gets an empty text. False, with lines in `errors` that
// give the number of the block's first line, when a block does not begin
// with a function keyword in any letter case or its keyword is not one of
// the twelve as written.
bool ReadFunctionBlocks(const char* text, bool includeAsElement, CFunctionTexts& texts, CStr_base<1024>& errors);

// Stores `texts` into the document's twelve blocks. A block whose text
// would be saved as it is now keeps its bytes; the others get the missing
// "\" after double-byte characters first, in `escapeMode` (mode 0 asks once
// for all of them). Returns the step that takes the changed blocks back
// (null when none changed).
CEditCommandPtr StoreFunctionBlocks(CMerxDocument& doc, CFunctionTexts& texts, int32_t escapeMode,
                                    CYesNoQuestion& question);
