// The event page's list operations: add, copy, delete, up and down, and
// the filter box.
#include "editing/condition_crossing.h"
#include "editing/delete_question.h"
#include "editing/event_list_edit.h"
#include "editing/step_names.h"
#include "foundation/out_of_memory.h"
#include "foundation/sjis_literal.h"
#include "pages/page_event.h"
#include "pages/page_event_template.h"

using namespace event_page;

void Cpage_event::ShowInsertedEvent(uint32_t index, bool atEnd)
{
    CUiControl list = Control(IDC_EVENT_LIST);
    const int32_t shown = noweventID;
    const uint32_t listed = list.GetCount();
    try {
        const CStr_base<64> label = EventLabel(*m_context.Document().eventdata.GetAt(index));
        if (atEnd) {
            list.AddString(label.GetBuffer());
        } else {
            // The shown line moves down first, so that a failure can tell
            // it from the new line.
            if (noweventID >= static_cast<int32_t>(index))
                ++noweventID;
            list.InsertString(static_cast<int32_t>(index), label.GetBuffer());
        }
        list.SetCurSel(static_cast<int32_t>(index));
        OnSelChangeList1();
    } catch (...) {
        if (IsOutOfMemory())
            TakeBackEvent(index, shown, listed);
        throw;
    }
}

void Cpage_event::RecordInserted(CEditCommandPtr step, uint32_t index, const char* action)
{
    const CStr_base<256> name = ElementStepName(*m_context.Document().eventdata.GetAt(index), action);
    m_context.Record(std::move(step), name.GetBuffer());
}

void Cpage_event::TakeBackEvent(uint32_t index, int32_t shown, uint32_t listed)
{
    const bool left = noweventID == static_cast<int32_t>(index);
    CMerxDocument& doc = m_context.Document();
    doc.RemoveElement(doc.eventdata.GetAt(index));
    CUiControl list = Control(IDC_EVENT_LIST);
    if (list.GetCount() > listed)
        list.DeleteString(static_cast<int32_t>(index));
    list.SetCurSel(m_filter.LineOf(shown));
    if (!left) {
        noweventID = shown;
        return;
    }
    noweventID = -1;
    OnSelChangeList1();
}

void Cpage_event::OnAdd()
{
    // The new event is listed where it goes among all events.
    ClearFilter();
    CMerxDocument& doc = m_context.Document();
    // The shown event is applied first; a refusal keeps it shown.
    if (noweventID != -1 && ShowSelected().IsRefused())
        return;
    const bool insert = Control(IDC_INSERT).GetCheck() && noweventID != -1;
    const CInsertPlace place = FindInsertPlace(doc, doc.eventdata, insert, noweventID);
    CEditCommandPtr step = InsertNewEvent(doc, place);
    ShowInsertedEvent(place.index, !insert);
    RecordInserted(std::move(step), place.index, SJ("追加"));
}

void Cpage_event::OnCopy()
{
    if (noweventID == -1)
        return;
    ClearFilter();
    if (Control(IDC_EVENT_LIST).GetCurSel() < 0)
        return;
    if (ShowSelected().IsRefused() || noweventID == -1)
        return;
    CMerxDocument& doc = m_context.Document();
    const bool insert = Control(IDC_INSERT).GetCheck();
    const CInsertPlace place = FindInsertPlace(doc, doc.eventdata, insert, noweventID);
    CEditCommandPtr step = InsertEventCopy(doc, place, m_work);
    ShowInsertedEvent(place.index, !insert);
    RecordInserted(std::move(step), place.index, SJ("コピー"));
}

void Cpage_event::OnDelete()
{
    if (noweventID == -1)
        return;
    CMerxDocument& doc = m_context.Document();
    const CStr_base<1024> question = DeleteEventQuestion(*doc.eventdata.GetAt(static_cast<uint32_t>(noweventID)));
    if (m_context.Ask(question.GetBuffer(), UiButtons::kYesNo) != UiAnswer::kYes)
        return;
    CUiControl list = Control(IDC_EVENT_LIST);
    const uint32_t removed = static_cast<uint32_t>(noweventID);
    const CStr_base<256> name = ElementStepName(*doc.eventdata.GetAt(removed), SJ("削除"));
    CEditCommandPtr step = RemoveElement(doc, *doc.eventdata.GetAt(removed));
    {
        const CNotifyQuietScope quiet(m_context.NotifyReady());
        const int32_t line = m_filter.Remove(removed);
        if (line >= 0)
            list.DeleteString(line);
        list.SetCurSel(m_filter.LineAfterRemoved(removed, list.GetCount()));
    }
    m_context.Record(std::move(step), name.GetBuffer());
    noweventID = -1;
    OnSelChangeList1();
    FillGroups();
}

void Cpage_event::ExchangeWithNeighbour(int32_t other)
{
    CMerxDocument& doc = m_context.Document();
    if (noweventID == -1 || m_filter.IsActive() || other < 0 || static_cast<uint32_t>(other) >= doc.eventdata.GetCount())
        return;
    // An event carried across an "@@IF" line exists under another condition.
    const uint32_t shown = static_cast<uint32_t>(noweventID), neighbour = static_cast<uint32_t>(other);
    const CStr_base<1024> question = ConditionCrossingQuestion(doc, doc.eventdata[shown], doc.eventdata[neighbour]);
    if (!question.IsEmpty() && m_context.Ask(question.GetBuffer(), UiButtons::kYesNo) != UiAnswer::kYes)
        return;
    CEditCommandPtr step = ExchangeEvents(doc, shown, neighbour);
    m_context.Record(std::move(step), ElementStepName(*doc.eventdata.GetAt(neighbour), SJ("移動")).GetBuffer());
    {
        const CNotifyQuietScope quiet(m_context.NotifyReady());
        SetListLine(noweventID);
        SetListLine(other);
        Control(IDC_EVENT_LIST).SetCurSel(m_filter.LineOf(other));
    }
    noweventID = m_nStoredEvent = other;
}

void Cpage_event::OnUp() { ExchangeWithNeighbour(noweventID - 1); }

void Cpage_event::OnDown()
{
    if (noweventID != -1)
        ExchangeWithNeighbour(noweventID + 1);
}

// ---- the filter box ------------------------------------------------------

void Cpage_event::FillList()
{
    const CNotifyQuietScope quiet(m_context.NotifyReady());
    const CMerxDocument& doc = m_context.Document();
    CUiControl list = Control(IDC_EVENT_LIST);
    const uint32_t lines = m_filter.IsActive() ? m_filter.FilteredCount() : doc.eventdata.GetCount();
    CStr_base<64> label;
    list.SetStrings(lines, [&](uint32_t line) {
        label = EventLabel(*doc.eventdata.GetAt(static_cast<uint32_t>(m_filter.IndexOf(static_cast<int32_t>(line)))));
        return label.GetBuffer();
    });
    list.SetCurSel(m_filter.LineOf(noweventID));
}

uint32_t Cpage_event::FilterCount() const { return m_context.Document().eventdata.GetCount(); }

void Cpage_event::AddFilterTexts(uint32_t index, CListFilter::CTexts& texts) const
{
    static const CFilterFields fields{"code", "startmsg"};
    fields.AddTexts(*m_context.Document().eventdata.GetAt(index), texts);
}

void Cpage_event::EnableMoveButtons()
{
    Control(IDC_UP).Enable(!m_filter.IsActive());
    Control(IDC_DOWN).Enable(!m_filter.IsActive());
}

// ---- direct edit -----------------------------------------------------------

