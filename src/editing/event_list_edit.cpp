#include "editing/event_list_edit.h"

#include <utility>

// The event is made whole before it is inserted: when memory runs out, the
// document stays as it was.

CEditCommandPtr InsertNewEvent(CMerxDocument& document, const CInsertPlace& place)
{
    Ceventstruct made;
    for (const CMerxString& key : document.eventkeys)
        made.fields.GetOrInsert(key.GetBuffer());
    CStr_base<64> code;
    code.Format("event_%u", document.eventdata.GetCount() + 1);
    made.SetField("code", code.GetBuffer());
    return InsertEvent(document, place.index, place.position, std::move(made));
}

CEditCommandPtr InsertEventCopy(CMerxDocument& document, const CInsertPlace& place, const Ceventstruct& source)
{
    Ceventstruct made(source);
    const CMerxString* code = source.GetField("code");
    CStr_base<64> copied;
    copied.Format("%s_copy_ID_%u", code ? code->GetBuffer() : "", document.eventdata.GetCount() + 1);
    made.SetField("code", copied.GetBuffer());
    return InsertEvent(document, place.index, place.position, std::move(made));
}
