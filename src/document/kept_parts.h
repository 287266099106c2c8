// The blocks of a function element as they stood in the data text.
//
// Several blocks with one keyword are read into one function element; each
// block is one part. The first stands where the element stands; a later
// one stood behind another element of the arrangement (its anchor; inside
// an other text, before the byte `anchorTextLength` of that text, which
// later other text may have joined).
#pragma once

#include <cstdint>

#include "document/merx_base.h"

struct CKeptFunctionPart {
    const CMERX_base* function = nullptr; // the Csinglestruct the part was read into
    CKeptSpan span;                       // the whole block, keyword line included
    const CMERX_base* anchor = nullptr;   // null: the anchor is gone, or the part is the first
    uint32_t anchorTextLength = 0;        // an other-text anchor's length when the part was read
};
