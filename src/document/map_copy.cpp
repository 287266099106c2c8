#include "document/map_copy.h"

void CopyStringList(CStrArray_base<64>& to, const CStrArray_base<64>& from)
{
    if (&to == &from)
        return;
    to.RemoveAll();
    for (const CMerxString& entry : from)
        to.Add()->Assign(entry);
}

void CopyFieldMap(CMerxFieldMap& to, const CMerxFieldMap& from)
{
    if (&to == &from)
        return;
    ResetMap(to);
    for (auto [key, value] : from)
        *to.Add(key) = value;
}

void CopyListMap(CMerxListMap& to, const CMerxListMap& from)
{
    if (&to == &from)
        return;
    ResetMap(to);
    for (auto [key, list] : from)
        CopyStringList(*to.Add(key), list);
}
