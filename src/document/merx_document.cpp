#include "document/merx_document.h"

#include "document/block_split.h"
#include "document/function_keywords.h"
#include "foundation/ascii_case.h"
#include "document/map_copy.h"

namespace {

template <class T>
bool RemoveFrom(CMerxArray<T>& container, const CMERX_base* element)
{
    for (uint32_t i = 0; i < container.GetCount(); ++i) {
        if (container.GetAt(i) == element) {
            container.RemoveAt(i);
            return true;
        }
    }
    return false;
}

} // namespace

CMerxDocument::CMerxDocument()
{
    Clear();
}

void CMerxDocument::ClearExtensionKeys()
{
    itemextkeys.RemoveAll();
    usefieldextkeys.RemoveAll();
    uselistextkeys.RemoveAll();
}

void CMerxDocument::AddItemExtensionKey(const char* name)
{
    itemextkeys.Add()->Assign(name);
}

void CMerxDocument::AddUseExtensionKey(const char* name, bool array)
{
    (array ? uselistextkeys : usefieldextkeys).Add()->Assign(name);
}

void CMerxDocument::Clear()
{
    setdata.RemoveAll();
    itemdata.RemoveAll();
    eventdata.RemoveAll();
    otherdata.RemoveAll();
    definedata.Clear();
    ResetMap(singledata);
    for (const char* keyword : g_aszMerxFunctionKeywords)
        singledata.InsertNew(keyword)->keyword.Assign(keyword);
}

bool CMerxDocument::IsEndText(const char* text)
{
    if (IsUnclosedSkip(text))
        return true;
    while (*text == '\t' || *text == ' ' || *text == '\n')
        ++text;
    return StartsWithNoCase(text, "@@END") && !StartsWithNoCase(text, "@@ENDSKIP");
}

uint32_t CMerxDocument::FindEndPosition() const
{
    for (uint32_t i = 0; i < setdata.GetCount(); ++i) {
        const CMERX_base* element = setdata[i];
        if (element->GetKind() == CMERX_TYPE_OTHER && IsEndText(static_cast<const Cotherstruct*>(element)->text))
            return i;
    }
    return setdata.GetCount();
}

int32_t CMerxDocument::FindInArrangement(const CMERX_base* element) const
{
    for (uint32_t i = 0; i < setdata.GetCount(); ++i) {
        if (setdata[i] == element)
            return static_cast<int32_t>(i);
    }
    return -1;
}

void CMerxDocument::InsertIntoArrangement(uint32_t position, CMERX_base* element)
{
    *setdata.Add() = element;
    for (uint32_t i = setdata.GetCount() - 1; i > position; --i)
        setdata.Exchange(i, i - 1);
}

bool CMerxDocument::RemoveElement(CMERX_base* element)
{
    const int32_t position = FindInArrangement(element);
    bool removed = false;
    switch (element->GetKind()) {
    case CMERX_TYPE_ITEM:
        removed = RemoveFrom(itemdata, element);
        break;
    case CMERX_TYPE_EVENT:
        removed = RemoveFrom(eventdata, element);
        break;
    case CMERX_TYPE_OTHER:
        removed = RemoveFrom(otherdata, element);
        break;
    default:
        return false;
    }
    if (removed && position >= 0)
        setdata.RemoveAt(static_cast<uint32_t>(position));
    return removed;
}

const CMerxString* CMerxDocument::FindItemNameByNo(const char* no) const
{
    for (const Citemstruct& item : itemdata) {
        const CMerxString* itemNo = item.GetField("no");
        if (itemNo && *itemNo == no)
            return item.GetField("name");
    }
    return nullptr;
}
