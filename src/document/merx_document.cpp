#include "document/merx_document.h"

#include <unordered_map>
#include <unordered_set>

#include "document/block_split.h"
#include "document/function_keywords.h"
#include "document/map_copy.h"
#include "foundation/ascii_case.h"

namespace {

// Removes `element` from `container` and from the arrangement `setdata`
// (when it stands there); false when the container lacks it.
template <class T>
bool RemoveFrom(CMerxArray<T>& container, CArrayAuto<CMERX_base*>& setdata, const CMERX_base* element,
                int32_t position)
{
    const int32_t index = container.IndexOf(element);
    if (index < 0)
        return false;
    container.ReserveSlots(container.GetCount());
    setdata.ReserveSlots(setdata.GetCount());
    container.RemoveAt(static_cast<uint32_t>(index));
    if (position >= 0)
        setdata.RemoveAt(static_cast<uint32_t>(position));
    return true;
}

// Exchanges `upper` and `lower` in `container` when they stand there one
// after the other; false otherwise.
template <class T>
bool ExchangeIfNeighbours(CMerxArray<T>& container, const CMERX_base* upper, const CMERX_base* lower)
{
    const int32_t a = container.IndexOf(upper);
    const int32_t b = container.IndexOf(lower);
    if (a < 0 || b != a + 1)
        return false;
    container.Exchange(static_cast<uint32_t>(a), static_cast<uint32_t>(b));
    return true;
}

// Appends an element and moves it up to `index`; the room for it must be
// reserved (ReserveSlots), so that this needs no memory.
template <class T>
T* InsertAt(CArrayAuto<T>& container, uint32_t index)
{
    if (index > container.GetCount())
        throw static_cast<uint32_t>(index);
    T* element = container.Add();
    for (uint32_t i = container.GetCount() - 1; i > index; --i)
        container.Exchange(i, i - 1);
    return element;
}

} // namespace

CMerxDocument::CMerxDocument()
{
    Clear();
}

void CMerxDocument::ClearExtensionKeys()
{
    m_owner.Check(__func__);
    itemextkeys.RemoveAll();
    usefieldextkeys.RemoveAll();
    uselistextkeys.RemoveAll();
}

void CMerxDocument::AddItemExtensionKey(const char* name)
{
    m_owner.Check(__func__);
    itemextkeys.Add()->Assign(name);
}

void CMerxDocument::AddUseExtensionKey(const char* name, bool array)
{
    m_owner.Check(__func__);
    (array ? uselistextkeys : usefieldextkeys).Add()->Assign(name);
}

void CMerxDocument::Clear()
{
    m_owner.Check(__func__);
    RaiseStructureVersion();
    setdata.RemoveAll();
    itemdata.RemoveAll();
    eventdata.RemoveAll();
    otherdata.RemoveAll();
    definedata.Clear();
    keptText.clear();
    keptText.shrink_to_fit();
    keptFunctionParts.clear();
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
    m_owner.Check(__func__);
    setdata.ReserveSlots(setdata.GetCount() + 1);
    *InsertAt(setdata, position) = element;
    RaiseStructureVersion();
}

// The insertions and removals below first reserve all the memory they
// need: when it runs out, the document stays as it was.

Citemstruct* CMerxDocument::InsertItem(uint32_t index, uint32_t position)
{
    m_owner.Check(__func__);
    if (position > setdata.GetCount())
        throw static_cast<uint32_t>(position);
    if (index > itemdata.GetCount())
        throw static_cast<uint32_t>(index);
    itemdata.ReserveSlots(itemdata.GetCount() + 1);
    setdata.ReserveSlots(setdata.GetCount() + 1);
    Citemstruct* item = InsertAt(itemdata, index);
    InsertIntoArrangement(position, item);
    return item;
}

Ceventstruct* CMerxDocument::InsertEvent(uint32_t index, uint32_t position)
{
    m_owner.Check(__func__);
    if (position > setdata.GetCount())
        throw static_cast<uint32_t>(position);
    if (index > eventdata.GetCount())
        throw static_cast<uint32_t>(index);
    eventdata.ReserveSlots(eventdata.GetCount() + 1);
    setdata.ReserveSlots(setdata.GetCount() + 1);
    Ceventstruct* event = InsertAt(eventdata, index);
    InsertIntoArrangement(position, event);
    return event;
}

Cotherstruct* CMerxDocument::InsertOther(uint32_t position)
{
    m_owner.Check(__func__);
    if (position > setdata.GetCount())
        throw static_cast<uint32_t>(position);
    otherdata.ReserveSlots(otherdata.GetCount() + 1);
    setdata.ReserveSlots(setdata.GetCount() + 1);
    Cotherstruct* other = otherdata.Add();
    InsertIntoArrangement(position, other);
    return other;
}

bool CMerxDocument::RemoveElement(CMERX_base* element)
{
    m_owner.Check(__func__);
    const int32_t position = FindInArrangement(element);
    bool removed = false;
    switch (element->GetKind()) {
    case CMERX_TYPE_ITEM:
        removed = RemoveFrom(itemdata, setdata, element, position);
        break;
    case CMERX_TYPE_EVENT:
        removed = RemoveFrom(eventdata, setdata, element, position);
        break;
    case CMERX_TYPE_OTHER:
        removed = RemoveFrom(otherdata, setdata, element, position);
        break;
    default:
        return false;
    }
    if (removed) {
        RaiseStructureVersion();
        // A function block that stood behind the element has lost its place.
        for (CKeptFunctionPart& part : keptFunctionParts)
            if (part.anchor == element)
                part.anchor = nullptr;
    }
    return removed;
}

template <class T>
void CMerxDocument::ExchangeInContainer(CMerxArray<T>& container, uint32_t a, uint32_t b)
{
    container.ReserveSlots(container.GetCount());
    setdata.ReserveSlots(setdata.GetCount());
    const int32_t slotA = FindInArrangement(container.GetAt(a));
    const int32_t slotB = FindInArrangement(container.GetAt(b));
    container.Exchange(a, b);
    if (slotA >= 0 && slotB >= 0)
        setdata.Exchange(static_cast<uint32_t>(slotA), static_cast<uint32_t>(slotB));
    RaiseStructureVersion();
}

void CMerxDocument::ExchangeItems(uint32_t a, uint32_t b)
{
    m_owner.Check(__func__);
    ExchangeInContainer(itemdata, a, b);
}

void CMerxDocument::ExchangeEvents(uint32_t a, uint32_t b)
{
    m_owner.Check(__func__);
    ExchangeInContainer(eventdata, a, b);
}

bool CMerxDocument::ExchangeNeighbours(uint32_t upper)
{
    m_owner.Check(__func__);
    if (upper + 1 >= setdata.GetCount())
        throw static_cast<uint32_t>(upper + 1);
    CMERX_base* first = setdata[upper];
    CMERX_base* second = setdata[upper + 1];
    if (first->GetKind() == second->GetKind()) {
        if (first->GetKind() == CMERX_TYPE_ITEM && !ExchangeIfNeighbours(itemdata, first, second))
            return false;
        if (first->GetKind() == CMERX_TYPE_EVENT && !ExchangeIfNeighbours(eventdata, first, second))
            return false;
    }
    setdata.Exchange(upper, upper + 1);
    RaiseStructureVersion();
    return true;
}

bool CMerxDocument::ReorderItems(const std::vector<Citemstruct*>& order)
{
    m_owner.Check(__func__);
    // Where each item stands now; every item of `order` must be one of them,
    // and none may come twice.
    std::unordered_map<const Citemstruct*, uint32_t> at;
    for (uint32_t i = 0; i < itemdata.GetCount(); ++i)
        at.emplace(itemdata.GetAt(i), i);
    if (order.size() != at.size())
        return false;
    std::unordered_set<const Citemstruct*> seen;
    for (const Citemstruct* item : order) {
        if (!at.count(item) || !seen.insert(item).second)
            return false;
    }

    // Each item is swapped from where it stands into its place.
    for (uint32_t i = 0; i < order.size(); ++i) {
        const uint32_t from = at[order[i]];
        at[itemdata.GetAt(i)] = from;
        itemdata.Exchange(i, from);
    }
    uint32_t next = 0;
    for (uint32_t i = 0; i < setdata.GetCount() && next < order.size(); ++i) {
        if (setdata[i]->GetKind() == CMERX_TYPE_ITEM)
            setdata[i] = order[next++];
    }
    RaiseStructureVersion();
    return true;
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

uint32_t CMerxDocument::IdentityOf(const CMERX_base& element) const
{
    m_owner.Check(__func__); // gives identities, seen as const or not
    if (element.GetId() == 0)
        element.SetId(m_nNextId++);
    return element.GetId();
}

void CMerxDocument::IndexIdentities()
{
    m_byIdentity.clear();
    m_byIdentity.reserve(setdata.GetCount() + 16);
    for (CMERX_base* element : setdata)
        m_byIdentity.emplace(IdentityOf(*element), element);
    for (auto [keyword, function] : singledata)
        m_byIdentity.emplace(IdentityOf(function), &function);
    m_byIdentity.emplace(IdentityOf(definedata), &definedata);
    m_nIndexedVersion = m_nStructureVersion;
}

CMERX_base* CMerxDocument::FindByIdentity(uint32_t id)
{
    m_owner.Check(__func__);
    if (id == 0)
        return nullptr;
    if (m_nIndexedVersion != m_nStructureVersion)
        IndexIdentities();
    const auto found = m_byIdentity.find(id);
    return found == m_byIdentity.end() ? nullptr : found->second;
}

void CMerxDocument::GiveIdentity(CMERX_base& element, uint32_t id)
{
    m_owner.Check(__func__);
    element.SetId(id);
    if (id >= m_nNextId)
        m_nNextId = id + 1;
    RaiseStructureVersion();
}
