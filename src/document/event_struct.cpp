#include "document/event_struct.h"

#include "document/map_copy.h"

Ceventstruct::Ceventstruct(const Ceventstruct& other) : CMerxFieldElement(other)
{
    CopyStringList(params, other.params);
    CopyStringList(paramcomments, other.paramcomments);
}

Ceventstruct& Ceventstruct::operator=(const Ceventstruct& other)
{
    CMerxFieldElement::operator=(other);
    CopyStringList(params, other.params);
    CopyStringList(paramcomments, other.paramcomments);
    return *this;
}

void Ceventstruct::Clear()
{
    ClearFields();
    params.RemoveAll();
    paramcomments.RemoveAll();
}
