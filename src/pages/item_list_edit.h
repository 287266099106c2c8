// Where the item page puts a new or copied item, and the item it puts there.
#pragma once

#include <cstdint>

#include "document/merx_document.h"

// A place for a new item: its index in `itemdata` and its position in
// `setdata`.
struct CItemInsertPlace {
    uint32_t index = 0;
    uint32_t position = 0;
};

// In insert mode with an item shown (`shownIndex` a valid index), the new
// item goes before the shown one, in both views. Otherwise it is appended
// to `itemdata` and goes before the element that ends the data ("@@END").
CItemInsertPlace FindItemInsertPlace(const CMerxDocument& document, bool insertMode, int32_t shownIndex);

// A new item at `place` with one empty field per item key and item
// extension key, no comments and no use entries, named for `number`.
Citemstruct* InsertNewItem(CMerxDocument& document, const CItemInsertPlace& place, uint32_t number);

// A copy of `source` (fields, comments, use entries) at `place`, numbered
// `number`, with the code and the name of a copy.
Citemstruct* InsertItemCopy(CMerxDocument& document, const CItemInsertPlace& place, const Citemstruct& source,
                            uint32_t number);
