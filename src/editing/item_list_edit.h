// Where the item page puts a new or copied item, and the item it puts there.
#pragma once

#include <cstdint>

#include "document/edit_command.h"
#include "document/merx_document.h"
#include "editing/insert_place.h"

// A new item at `place` with one empty field per item key and item
// extension key, no comments and no use entries, named for `number`.
CEditCommandPtr InsertNewItem(CMerxDocument& document, const CInsertPlace& place, uint32_t number);

// A copy of `source` (fields, comments, use entries) at `place`, numbered
// `number`, with the code and the name of a copy.
CEditCommandPtr InsertItemCopy(CMerxDocument& document, const CInsertPlace& place, const Citemstruct& source,
                            uint32_t number);
