#include "document/use_struct.h"

#include "document/map_copy.h"

Cusestruct::Cusestruct(const Cusestruct& other) : CMerxFieldElement(other)
{
    CopyListMap(lists, other.lists);
    CopyListMap(listcomments, other.listcomments);
}

Cusestruct& Cusestruct::operator=(const Cusestruct& other)
{
    if (this != &other) {
        Cusestruct copy(other);
        Swap(copy);
    }
    return *this;
}

void Cusestruct::Swap(Cusestruct& other) noexcept
{
    SwapFields(other);
    lists.Swap(other.lists);
    listcomments.Swap(other.listcomments);
}

namespace {

bool IsEmptyList(const CMerxList& list) { return list.GetCount() == 0; }

} // namespace

void Cusestruct::TrimValues()
{
    TrimFields();
    lists.TrimValues(IsEmptyList);
    listcomments.TrimValues(IsEmptyList);
}

void Cusestruct::Clear()
{
    ClearFields();
    ResetMap(lists);
    ResetMap(listcomments);
}
