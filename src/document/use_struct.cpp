#include "document/use_struct.h"

#include "document/map_copy.h"

Cusestruct::Cusestruct(const Cusestruct& other) : CMerxFieldElement(other)
{
    CopyListMap(lists, other.lists);
    CopyListMap(listcomments, other.listcomments);
}

Cusestruct& Cusestruct::operator=(const Cusestruct& other)
{
    CMerxFieldElement::operator=(other);
    CopyListMap(lists, other.lists);
    CopyListMap(listcomments, other.listcomments);
    return *this;
}

void Cusestruct::Clear()
{
    ClearFields();
    ResetMap(lists);
    ResetMap(listcomments);
}
