#include "pages/event_list_edit.h"

Ceventstruct* InsertNewEvent(CMerxDocument& document, const CInsertPlace& place)
{
    Ceventstruct* event = document.InsertEvent(place.index, place.position);
    for (const CMerxString& key : document.eventkeys)
        event->fields.GetOrInsert(key.GetBuffer());
    CStr_base<64> code;
    code.Format("event_%u", document.eventdata.GetCount());
    event->SetField("code", code.GetBuffer());
    return event;
}

Ceventstruct* InsertEventCopy(CMerxDocument& document, const CInsertPlace& place, const Ceventstruct& source)
{
    Ceventstruct* event = document.InsertEvent(place.index, place.position);
    *event = source;
    const CMerxString* code = source.GetField("code");
    CStr_base<64> copied;
    copied.Format("%s_copy_ID_%u", code ? code->GetBuffer() : "", document.eventdata.GetCount());
    event->SetField("code", copied.GetBuffer());
    return event;
}
