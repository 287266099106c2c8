// The group codes the event page's group combo offers.
#pragma once

#include "document/merx_document.h"
#include "foundation/str_array.h"

// Replaces `groups` by the non-empty "group" values of all events, in the
// order of first use, each once (compared whole: "B" is listed after "AB").
void CollectEventGroups(const CMerxDocument& document, CStrArray_base<64>& groups);
