#include "tools/item_sort.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

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

std::vector<Citemstruct*> ByType(const CMerxDocument& doc)
{
    std::vector<Citemstruct*> sorted;
    sorted.reserve(doc.itemdata.GetCount());
    std::unordered_map<std::string_view, std::vector<Citemstruct*>> byType;
    std::vector<std::string_view> firstSeen;
    for (Citemstruct& item : doc.itemdata) {
        const std::string_view type = FieldView(item, "type");
        auto [at, added] = byType.try_emplace(type);
        if (added)
            firstSeen.push_back(type);
        at->second.push_back(&item);
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
    if (key == CItemSortKey::kType) {
        sorted = ByType(doc);
    } else {
        // Each item's key is read once; the sort compares what was read.
        struct Keyed {
            Citemstruct* item;
            int64_t number;
            std::string_view text;
        };
        const bool byText = key == CItemSortKey::kCode || key == CItemSortKey::kName;
        const char* field = KeyName(key);
        std::vector<Keyed> keyed;
        keyed.reserve(doc.itemdata.GetCount());
        for (Citemstruct& item : doc.itemdata) {
            if (byText)
                keyed.push_back({&item, 0, FieldView(item, field)});
            else
                keyed.push_back({&item, key == CItemSortKey::kCost ? Cost(item) : Number(item, field), {}});
        }
        std::stable_sort(keyed.begin(), keyed.end(), [byText](const Keyed& a, const Keyed& b) {
            return byText ? a.text < b.text : a.number < b.number;
        });
        sorted.reserve(keyed.size());
        for (const Keyed& entry : keyed)
            sorted.push_back(entry.item);
    }
    if (descending)
        std::reverse(sorted.begin(), sorted.end());
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

bool SortItems(CMerxDocument& doc, CItemSortKey key, bool descending, CItemPreviousOrder& previous)
{
    std::vector<Citemstruct*> before = CurrentOrder(doc);
    std::vector<Citemstruct*> after;
    if (key == CItemSortKey::kRestore) {
        if (!previous.IsValid(doc))
            return false;
        after = previous.Order();
    } else {
        after = SortedItems(doc, key, descending);
    }
    if (after == before)
        return false;
    if (!doc.ReorderItems(after))
        return false;
    previous.Keep(std::move(before), doc);
    return true;
}
