#include "document/element_compare.h"

namespace {

// Every non-empty value of `a` stands under its key in `b`.
bool ValuesIn(const CMerxFieldMap& a, const CMerxFieldMap& b)
{
    for (auto [key, value] : a) {
        if (value.IsEmpty())
            continue;
        const CMerxString* other = b.Lookup(key);
        if (!other || !(*other == value))
            return false;
    }
    return true;
}

bool SameMap(const CMerxFieldMap& a, const CMerxFieldMap& b) { return ValuesIn(a, b) && ValuesIn(b, a); }

bool SameList(const CStrArray_base<64>& a, const CStrArray_base<64>& b)
{
    if (a.GetCount() != b.GetCount())
        return false;
    for (uint32_t i = 0; i < a.GetCount(); ++i)
        if (!(a[i] == b[i]))
            return false;
    return true;
}

// Every non-empty list of `a` stands under its key in `b`.
bool ListsIn(const CMerxListMap& a, const CMerxListMap& b)
{
    for (auto [key, list] : a) {
        if (list.GetCount() == 0)
            continue;
        const CMerxList* other = b.Lookup(key);
        if (!other || !SameList(list, *other))
            return false;
    }
    return true;
}

bool SameLists(const CMerxListMap& a, const CMerxListMap& b) { return ListsIn(a, b) && ListsIn(b, a); }

bool SameFields(const CMerxFieldElement& a, const CMerxFieldElement& b)
{
    return SameMap(a.fields, b.fields) && SameMap(a.comments, b.comments);
}

bool SameUse(const Cusestruct& a, const Cusestruct& b)
{
    return SameFields(a, b) && SameLists(a.lists, b.lists) && SameLists(a.listcomments, b.listcomments);
}

} // namespace

bool SameContent(const Citemstruct& a, const Citemstruct& b)
{
    if (!SameFields(a, b) || a.uses.GetCount() != b.uses.GetCount())
        return false;
    for (uint32_t i = 0; i < a.uses.GetCount(); ++i)
        if (!SameUse(a.uses[i], b.uses[i]))
            return false;
    return true;
}

bool SameContent(const Ceventstruct& a, const Ceventstruct& b)
{
    return SameFields(a, b) && SameList(a.params, b.params) && SameList(a.paramcomments, b.paramcomments);
}
