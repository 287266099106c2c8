// The event page's side of its list (element_list.h): its events, their
// lines and makers, and the filter box.
#include "editing/delete_question.h"
#include "editing/event_list_edit.h"
#include "pages/page_event.h"
#include "pages/page_event_template.h"

using namespace event_page;

// A line shows the event's label (EventLabel).
const CElementListKind<Ceventstruct> Cpage_event::kList{
    .listId = IDC_EVENT_LIST,
    .insertId = IDC_INSERT,
    .upId = IDC_UP,
    .downId = IDC_DOWN,
    .container = &CMerxDocument::eventdata,
    .label = [](const Ceventstruct& event, CStr_base<64>& buffer) -> const char* {
        buffer = EventLabel(event);
        return buffer.GetBuffer();
    },
    .deleteQuestion = [](const CMerxDocument&, const Ceventstruct& event) { return DeleteEventQuestion(event); },
    .insertNew = InsertNewEvent,
    .insertCopy = InsertEventCopy,
    .exchange = ExchangeEvents,
    .containerName = "eventdata",
    .shownName = "noweventID",
    .handler = "Cpage_event::OnSelChangeList1()",
};

// ---- the filter box ------------------------------------------------------

void Cpage_event::AddFilterTexts(uint32_t index, CListFilter::CTexts& texts) const
{
    static const CFilterFields fields{"code", "startmsg"};
    fields.AddTexts(*m_context.Document().eventdata.GetAt(index), texts);
}

// ---- direct edit -----------------------------------------------------------

