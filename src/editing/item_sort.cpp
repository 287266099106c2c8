#include "editing/item_sort.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "document/condition_lines.h"
#include "foundation/decimal_text.h"

namespace {

std::string_view FieldView(const Citemstruct& item, const char* key)
{
    const CMerxString* value = item.GetField(key);
    return value ? std::string_view(value->GetBuffer(), value->GetLength()) : std::string_view();
}

int64_t Number(const Citemstruct& item, const char* key)
{
    const CMerxString* value = item.GetField(key);
    int64_t number = 0;
    ReadDecimal(value ? value->GetBuffer() : "", number);
    return number;
}

int64_t Cost(const Citemstruct& item)
{
    if (FieldView(item, "cost").empty())
        return Number(item, "price") / 10;
    return Number(item, "cost");
}

const char* KeyName(CItemSortKey key)
{
    switch (key) {
    case CItemSortKey::kNo:
        return "no";
    case CItemSortKey::kCode:
        return "code";
    case CItemSortKey::kName:
        return "name";
    case CItemSortKey::kPrice:
        return "price";
    case CItemSortKey::kCost:
        return "cost";
    default:
        return "";
    }
}

std::vector<Citemstruct*> ByType(const CMerxDocument& doc, const std::vector<Citemstruct*>& items)
{
    std::vector<Citemstruct*> sorted;
    sorted.reserve(items.size());
    std::unordered_map<std::string_view, std::vector<Citemstruct*>> byType;
    std::vector<std::string_view> firstSeen;
    for (Citemstruct* item : items) {
        const std::string_view type = FieldView(*item, "type");
        auto [at, added] = byType.try_emplace(type);
        if (added)
            firstSeen.push_back(type);
        at->second.push_back(item);
    }
    std::unordered_set<std::string_view> taken;
    for (const TypeData& type : doc.definedata.types) {
        const std::string_view name(type.name.GetBuffer(), type.name.GetLength());
        if (!taken.insert(name).second)
            continue;
        if (auto at = byType.find(name); at != byType.end())
            sorted.insert(sorted.end(), at->second.begin(), at->second.end());
    }
    for (const std::string_view type : firstSeen)
        if (!taken.count(type))
            sorted.insert(sorted.end(), byType[type].begin(), byType[type].end());
    return sorted;
}

std::vector<Citemstruct*> ByKey(const std::vector<Citemstruct*>& items, CItemSortKey key)
{
    // Each item's key is read once; the sort compares what was read.
    struct Keyed {
        Citemstruct* item;
        int64_t number;
        std::string_view text;
    };
    const bool byText = key == CItemSortKey::kCode || key == CItemSortKey::kName;
    const char* field = KeyName(key);
    std::vector<Keyed> keyed;
    keyed.reserve(items.size());
    for (Citemstruct* item : items) {
        if (byText)
            keyed.push_back({item, 0, FieldView(*item, field)});
        else
            keyed.push_back({item, key == CItemSortKey::kCost ? Cost(*item) : Number(*item, field), {}});
    }
    std::stable_sort(keyed.begin(), keyed.end(), [byText](const Keyed& a, const Keyed& b) {
        return byText ? a.text < b.text : a.number < b.number;
    });
    std::vector<Citemstruct*> sorted;
    sorted.reserve(keyed.size());
    for (const Keyed& entry : keyed)
        sorted.push_back(entry.item);
    return sorted;
}

// The items in the order of their places in the arrangement, cut into
// sections wherever a condition line stands between two places.
std::vector<std::vector<Citemstruct*>> ItemSections(const CMerxDocument& doc)
{
    std::vector<std::vector<Citemstruct*>> sections;
    uint32_t previous = 0;
    for (uint32_t at = 0; at < doc.setdata.GetCount(); ++at) {
        if (doc.setdata[at]->GetKind() != CMERX_TYPE_ITEM)
            continue;
        if (sections.empty() || !ConditionLineBetween(doc, previous, at).empty())
            sections.emplace_back();
        sections.back().push_back(static_cast<Citemstruct*>(doc.setdata[at]));
        previous = at;
    }
    return sections;
}

std::vector<Citemstruct*> CurrentOrder(const CMerxDocument& doc)
{
    std::vector<Citemstruct*> order;
    order.reserve(doc.itemdata.GetCount());
    for (Citemstruct& item : doc.itemdata)
        order.push_back(&item);
    return order;
}

} // namespace

std::vector<Citemstruct*> SortedItems(const CMerxDocument& doc, CItemSortKey key, bool descending)
{
    std::vector<Citemstruct*> sorted;
    sorted.reserve(doc.itemdata.GetCount());
    for (const std::vector<Citemstruct*>& section : ItemSections(doc)) {
        std::vector<Citemstruct*> part = key == CItemSortKey::kType ? ByType(doc, section) : ByKey(section, key);
        if (descending)
            std::reverse(part.begin(), part.end());
        sorted.insert(sorted.end(), part.begin(), part.end());
    }
    return sorted;
}

bool CItemPreviousOrder::IsValid(const CMerxDocument& doc) const
{
    return !m_order.empty() && m_nVersion == doc.GetStructureVersion() && m_order.size() == doc.itemdata.GetCount();
}

void CItemPreviousOrder::Keep(std::vector<Citemstruct*> order, const CMerxDocument& doc)
{
    m_order = std::move(order);
    m_nVersion = doc.GetStructureVersion();
}

CEditCommandPtr SortItems(CMerxDocument& doc, CItemSortKey key, bool descending, CItemPreviousOrder& previous)
{
    std::vector<Citemstruct*> before = CurrentOrder(doc);
    std::vector<Citemstruct*> after;
    if (key == CItemSortKey::kRestore) {
        if (!previous.IsValid(doc))
            return nullptr;
        after = previous.Order();
    } else {
        after = SortedItems(doc, key, descending);
    }
    if (after == before)
        return nullptr;
    CEditCommandPtr step = ReorderItems(doc, after);
    if (step)
        previous.Keep(std::move(before), doc);
    return step;
}
