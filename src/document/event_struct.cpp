#include "document/event_struct.h"

#include "document/map_copy.h"

Ceventstruct::Ceventstruct(const Ceventstruct& other) : CMerxFieldElement(other)
{
    CopyStringList(params, other.params);
    CopyStringList(paramcomments, other.paramcomments);
}

Ceventstruct& Ceventstruct::operator=(const Ceventstruct& other)
{
    if (this != &other) {
        Ceventstruct copy(other);
        Swap(copy);
    }
    return *this;
}

void Ceventstruct::Swap(Ceventstruct& other) noexcept
{
    SwapFields(other);
    params.Swap(other.params);
    paramcomments.Swap(other.paramcomments);
}

void Ceventstruct::Clear()
{
    ClearFields();
    params.RemoveAll();
    paramcomments.RemoveAll();
}
