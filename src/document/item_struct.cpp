#include "document/item_struct.h"

Citemstruct::Citemstruct(const Citemstruct& other) : CMerxFieldElement(other)
{
    uses.Reserve(other.uses.GetCount());
    for (const Cusestruct& use : other.uses)
        *uses.Add() = use;
}

Citemstruct& Citemstruct::operator=(const Citemstruct& other)
{
    if (this != &other) {
        Citemstruct copy(other);
        Swap(copy);
    }
    return *this;
}

void Citemstruct::Swap(Citemstruct& other) noexcept
{
    SwapFields(other);
    uses.Swap(other.uses);
}

void Citemstruct::Clear()
{
    ClearFields();
    uses.RemoveAll();
}
