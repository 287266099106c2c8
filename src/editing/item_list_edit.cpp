#include "editing/item_list_edit.h"

#include <utility>

#include "editing/item_naming.h"

// The item is made whole before it is inserted: when memory runs out, the
// document stays as it was.

CEditCommandPtr InsertNewItem(CMerxDocument& document, const CInsertPlace& place, uint32_t number)
{
    Citemstruct made;
    for (const CMerxString& key : document.itemkeys)
        made.fields.GetOrInsert(key.GetBuffer());
    for (const CMerxString& key : document.itemextkeys)
        made.fields.GetOrInsert(key.GetBuffer());
    NameNewItem(made, number);
    return InsertItem(document, place.index, place.position, std::move(made));
}

CEditCommandPtr InsertItemCopy(CMerxDocument& document, const CInsertPlace& place, const Citemstruct& source,
                            uint32_t number)
{
    Citemstruct made(source);
    CStr_base<64> text;
    text.Format("%u", number);
    made.SetField("no", text.GetBuffer());
    const CMerxString* code = source.GetField("code");
    made.SetField("code", CopyItemCode(code ? code->GetBuffer() : "").GetBuffer());
    const CMerxString* name = source.GetField("name");
    made.SetField("name", CopyItemName(name ? name->GetBuffer() : "").GetBuffer());
    return InsertItem(document, place.index, place.position, std::move(made));
}
