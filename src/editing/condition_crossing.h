// The question that ↑ and ↓ of the item and event pages ask before an
// item or event changes places with its neighbour across an "@@IF" line,
// where it would come to exist under another condition.
#pragma once

#include "document/merx_document.h"

// The question for `moved` (an item or event) taking the place of
// `neighbour` in the arrangement, quoting the first "@@IF" line it passes;
// empty when no such line stands between them, or either stands nowhere
// in the arrangement.
CStr_base<1024> ConditionCrossingQuestion(const CMerxDocument& doc, const CMERX_base& moved,
                                          const CMERX_base& neighbour);
