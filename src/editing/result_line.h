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

// The element `target` names in `doc`: an item, event, function block,
// the definition or an other text at the index (an "OTHER" index must name
// an other text); null for none.
CMERX_base* ResultTargetElement(CMerxDocument& doc, const CResultTarget& target);

// Lines keep naming their element while elements are added, removed and
// moved elsewhere: the identity of the element a line names when it is set
// (0 for a line that names none), and that element followed to where it
// stands now.
uint32_t ResultLineIdentity(CMerxDocument& doc, const char* line);
enum class CLineFollow {
    kNoElement, // no kind word, an "INFO" line or an unknown word (`target` as read)
    kGone,      // the element is no longer in the document, or never was
    kFound,     // `target` names where the element stands now
};
CLineFollow FollowResultLine(CMerxDocument& doc, const char* line, uint32_t id, CResultTarget& target);
