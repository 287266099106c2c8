#include "document/element_key_maps.h"

#include <initializer_list>

#include "document/map_copy.h"
#include "document/merx_document.h"

namespace {

void Fill(CMerxFieldMap& map, std::initializer_list<const CStrArray_base<64>*> lists)
{
    ResetMap(map);
    uint32_t count = 0;
    for (const CStrArray_base<64>* list : lists)
        count += list->GetCount();
    map.Reserve(count);
    for (const CStrArray_base<64>* list : lists) {
        for (const CMerxString& key : *list)
            map.GetOrInsert(key);
    }
    map.MakeValuesVirtual();
}

} // namespace

void CElementKeyMaps::Build(const CMerxDocument& doc)
{
    Fill(itemFields, {&doc.itemkeys, &doc.itemextkeys});
    Fill(useFields, {&doc.usekeys, &doc.usefieldextkeys});
    Fill(useLists, {&doc.uselistkeys, &doc.uselistextkeys});
    Fill(eventFields, {&doc.eventkeys});
    ResetMap(comments);
    comments.GetOrInsert("");
    comments.MakeValuesVirtual();
}
