#include "pages/item_list_edit.h"

#include "pages/item_naming.h"

Citemstruct* InsertNewItem(CMerxDocument& document, const CInsertPlace& place, uint32_t number)
{
    Citemstruct* item = document.InsertItem(place.index, place.position);
    for (const CMerxString& key : document.itemkeys)
        item->fields.GetOrInsert(key.GetBuffer());
    for (const CMerxString& key : document.itemextkeys)
        item->fields.GetOrInsert(key.GetBuffer());
    NameNewItem(*item, number);
    return item;
}

Citemstruct* InsertItemCopy(CMerxDocument& document, const CInsertPlace& place, const Citemstruct& source,
                            uint32_t number)
{
    Citemstruct* item = document.InsertItem(place.index, place.position);
    *item = source;
    CStr_base<64> text;
    text.Format("%u", number);
    item->SetField("no", text.GetBuffer());
    const CMerxString* code = source.GetField("code");
    item->SetField("code", CopyItemCode(code ? code->GetBuffer() : "").GetBuffer());
    const CMerxString* name = source.GetField("name");
    item->SetField("name", CopyItemName(name ? name->GetBuffer() : "").GetBuffer());
    return item;
}
