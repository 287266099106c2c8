// An item (@@ITEM): fields, comments and its use entries in file order.
#pragma once

#include "document/field_element.h"
#include "document/merx_array.h"
#include "document/use_struct.h"

class Citemstruct : public CMerxFieldElement {
public:
    // Most items have one or two uses: their storage starts with two.
    CMerxArray<Cusestruct> uses{2};

    Citemstruct() : CMerxFieldElement(CMERX_TYPE_ITEM) {}
    // Copies fields, comments and every use with its lists.
    Citemstruct(const Citemstruct& other);
    // The copy is made whole first: when memory runs out, the item stays
    // as it was.
    Citemstruct& operator=(const Citemstruct& other);
    // Exchanges everything with `other`; nothing is copied, and the use
    // entries change hands where they stand.
    void Swap(Citemstruct& other) noexcept;

    // Back to an item without fields, comments and uses.
    void Clear();
};
