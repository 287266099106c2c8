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
    Citemstruct& operator=(const Citemstruct& other);

    // Back to an item without fields, comments and uses.
    void Clear();
};
