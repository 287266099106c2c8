#include "document/item_struct.h"

Citemstruct::Citemstruct(const Citemstruct& other) : CMerxFieldElement(CMERX_TYPE_ITEM)
{
    *this = other;
}

Citemstruct& Citemstruct::operator=(const Citemstruct& other)
{
    if (this == &other)
        return *this;
    CMerxFieldElement::operator=(other);
    uses.RemoveAll();
    for (const Cusestruct& use : other.uses)
        *uses.Add() = use;
    return *this;
}

void Citemstruct::Clear()
{
    ClearFields();
    uses.RemoveAll();
}
