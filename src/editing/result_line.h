// The start of a tool result line: the kind word and the bracketed index of
// the element it names ("ITEM[3]：剣" names item 3).
#pragma once

#include <cstdint>

#include "document/merx_document.h"

struct CResultTarget {
    int32_t tab = -1;   // the page of the element; -1 for INFO and unknown words
    int32_t index = -1; // its index on that page (0 for the definition)
    bool info = false;  // an "INFO" line, which names no element
};

// False for a line without a kind word and a bracketed decimal number at
// its start.
bool ParseResultLine(const char* line, CResultTarget& target);

// Whether the document has the element: an item, event, function block or
// arranged element at the index (an "OTHER" index must name an other text).
bool ResultTargetExists(const CMerxDocument& doc, const CResultTarget& target);
