#include "document/map_copy.h"

void CopyStringList(CStrArray_base<64>& to, const CStrArray_base<64>& from)
{
    if (&to == &from)
        return;
    to.RemoveAll();
    for (const CMerxString& entry : from)
        to.Add()->Assign(entry);
}

namespace {

// Gives `to` the keys of `from` (sharing them) and a copy of each value it
// holds (those it holds virtually stay so); both maps then iterate their
// entries in the same order.
template <class T, class CopyValue>
void CopyMap(CMapElement<T, 32>& to, const CMapElement<T, 32>& from, CopyValue copy)
{
    if (&to == &from)
        return;
    ResetMap(to);
    to.AddKeysOf(from);
    to.CopyValuesOf(from, copy);
}

} // namespace

void CopyFieldMap(CMerxFieldMap& to, const CMerxFieldMap& from)
{
    CopyMap(to, from, [](CMerxString& out, const CMerxString& in) { out = in; });
}

void CopyListMap(CMerxListMap& to, const CMerxListMap& from)
{
    CopyMap(to, from, [](CMerxList& out, const CMerxList& in) { CopyStringList(out, in); });
}
