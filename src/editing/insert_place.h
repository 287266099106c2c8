// Where a page puts a new or copied item or event.
#pragma once

#include <cstdint>

#include "document/merx_document.h"

// Its index in its container (`itemdata` or `eventdata`) and its position
// in `setdata`.
struct CInsertPlace {
    uint32_t index = 0;
    uint32_t position = 0;
};

// In insert mode with an element shown (`shownIndex` a valid index of
// `container`), the new element goes before the shown one, in both views.
// Otherwise it is appended to the container and goes before the element
// that ends the data ("@@END").
template <class T>
CInsertPlace FindInsertPlace(const CMerxDocument& document, const CMerxArray<T>& container, bool insertMode,
                             int32_t shownIndex)
{
    const uint32_t count = container.GetCount();
    if (insertMode && shownIndex >= 0 && static_cast<uint32_t>(shownIndex) < count) {
        const int32_t position = document.FindInArrangement(container.GetAt(static_cast<uint32_t>(shownIndex)));
        if (position >= 0)
            return {static_cast<uint32_t>(shownIndex), static_cast<uint32_t>(position)};
    }
    return {count, document.FindEndPosition()};
}
