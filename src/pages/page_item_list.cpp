// The item page's list operations: add, copy, delete, up and down, the
// sort dialog and the filter box.
#include "editing/condition_crossing.h"
#include "editing/delete_question.h"
#include "editing/item_list_edit.h"
#include "editing/item_naming.h"
#include "editing/step_names.h"
#include "foundation/out_of_memory.h"
#include "foundation/sjis_literal.h"
#include "pages/page_item.h"
#include "pages/page_item_template.h"
#include "tools/item_sort_dlg.h"

using namespace item_page;

void Cpage_item::ShowInsertedItem(uint32_t index, bool atEnd)
{
    CUiControl list = Control(IDC_ITEM_LIST);
    const int32_t shown = nowitemID;
    const uint32_t listed = list.GetCount();
    try {
        const char* name = m_context.Document().itemdata.GetAt(index)->FieldText("name");
        if (atEnd) {
            list.AddString(name);
        } else {
            // The shown line moves down first, so that a failure can tell
            // it from the new line.
            if (nowitemID >= static_cast<int32_t>(index))
                ++nowitemID;
            list.InsertString(static_cast<int32_t>(index), name);
        }
        list.SetCurSel(static_cast<int32_t>(index));
        OnSelChangeList1();
    } catch (...) {
        if (IsOutOfMemory())
            TakeBackItem(index, shown, listed);
        throw;
    }
    // A new item's first apply stores its name without asking.
    if (nowitemID == static_cast<int32_t>(index))
        m_bAskRename = false;
}

void Cpage_item::TakeBackItem(uint32_t index, int32_t shown, uint32_t listed)
{
    // The shown item is still the one the page showed (with the user's
    // edits) unless the page had gone on to the new one.
    const bool left = nowitemID == static_cast<int32_t>(index);
    CMerxDocument& doc = m_context.Document();
    doc.RemoveElement(doc.itemdata.GetAt(index));
    CUiControl list = Control(IDC_ITEM_LIST);
    if (list.GetCount() > listed)
        list.DeleteString(static_cast<int32_t>(index));
    list.SetCurSel(m_filter.LineOf(shown));
    if (!left) {
        nowitemID = m_nStoredItem = shown;
        return;
    }
    nowitemID = -1;
    OnSelChangeList1();
}

bool Cpage_item::ApplyBeforeInsert()
{
    return nowitemID == -1 || !ShowSelected().IsRefused();
}

void Cpage_item::RecordInserted(CEditCommandPtr step, uint32_t index, const char* action)
{
    const CStr_base<256> name = ElementStepName(*m_context.Document().itemdata.GetAt(index), action);
    m_context.Record(std::move(step), name.GetBuffer());
}

void Cpage_item::OnAdd()
{
    // The new item is listed where it goes among all items.
    ClearFilter();
    // The shown item is applied first; a refusal keeps it shown and adds
    // nothing.
    if (!ApplyBeforeInsert())
        return;
    CMerxDocument& doc = m_context.Document();
    const bool insert = Control(IDC_INSERT).GetCheck() && nowitemID != -1;
    const CInsertPlace place = FindInsertPlace(doc, doc.itemdata, insert, nowitemID);
    CEditCommandPtr step = InsertNewItem(doc, place, NextFreeItemNumber(doc));
    ShowInsertedItem(place.index, !insert);
    RecordInserted(std::move(step), place.index, SJ("追加"));
    // A new item's fields take their rules on its first apply ("limit" its
    // default), as if the user had typed them; a copy keeps what it copied.
    if (nowitemID == static_cast<int32_t>(place.index))
        m_shown.allEdited = true;
}

void Cpage_item::OnCopy()
{
    if (nowitemID == -1)
        return;
    ClearFilter();
    if (Control(IDC_ITEM_LIST).GetCurSel() < 0 || !ApplyBeforeInsert() || nowitemID == -1)
        return;
    CMerxDocument& doc = m_context.Document();
    const bool insert = Control(IDC_INSERT).GetCheck();
    const CInsertPlace place = FindInsertPlace(doc, doc.itemdata, insert, nowitemID);
    CEditCommandPtr step = InsertItemCopy(doc, place, m_work, NextFreeItemNumber(doc));
    ShowInsertedItem(place.index, !insert);
    RecordInserted(std::move(step), place.index, SJ("コピー"));
}

void Cpage_item::OnDelete()
{
    if (nowitemID == -1)
        return;
    CMerxDocument& doc = m_context.Document();
    const CStr_base<1024> question = DeleteItemQuestion(doc, *doc.itemdata.GetAt(nowitemID));
    if (m_context.Ask(question.GetBuffer(), UiButtons::kYesNo) != UiAnswer::kYes)
        return;
    CUiControl list = Control(IDC_ITEM_LIST);
    const uint32_t removed = static_cast<uint32_t>(nowitemID);
    const CStr_base<256> name = ElementStepName(*doc.itemdata.GetAt(removed), SJ("削除"));
    CEditCommandPtr step = RemoveElement(doc, *doc.itemdata.GetAt(removed));
    {
        const CNotifyQuietScope quiet(m_context.NotifyReady());
        const int32_t line = m_filter.Remove(removed);
        if (line >= 0)
            list.DeleteString(line);
        list.SetCurSel(m_filter.LineAfterRemoved(removed, list.GetCount()));
    }
    m_context.Record(std::move(step), name.GetBuffer());
    nowitemID = -1;
    OnSelChangeList1();
}

void Cpage_item::ExchangeWithNeighbour(int32_t other)
{
    CMerxDocument& doc = m_context.Document();
    if (nowitemID == -1 || m_filter.IsActive() || other < 0 || static_cast<uint32_t>(other) >= doc.itemdata.GetCount())
        return;
    // An item carried across an "@@IF" line exists under another condition.
    const uint32_t shown = static_cast<uint32_t>(nowitemID), neighbour = static_cast<uint32_t>(other);
    const CStr_base<1024> question = ConditionCrossingQuestion(doc, doc.itemdata[shown], doc.itemdata[neighbour]);
    if (!question.IsEmpty() && m_context.Ask(question.GetBuffer(), UiButtons::kYesNo) != UiAnswer::kYes)
        return;
    CEditCommandPtr step = ExchangeItems(doc, shown, neighbour);
    m_context.Record(std::move(step), ElementStepName(*doc.itemdata.GetAt(neighbour), SJ("移動")).GetBuffer());
    {
        const CNotifyQuietScope quiet(m_context.NotifyReady());
        SetListLine(nowitemID);
        SetListLine(other);
        Control(IDC_ITEM_LIST).SetCurSel(m_filter.LineOf(other));
    }
    nowitemID = m_nStoredItem = other;
}

void Cpage_item::OnUp() { ExchangeWithNeighbour(nowitemID - 1); }

void Cpage_item::OnDown()
{
    if (nowitemID != -1)
        ExchangeWithNeighbour(nowitemID + 1);
}

void Cpage_item::OnSort()
{
    CMerxDocument& doc = m_context.Document();
    if (doc.itemdata.GetCount() == 0) {
        m_context.ShowMessage(SJ("整列する要素がありません"));
        return;
    }
    CUiControl list = Control(IDC_ITEM_LIST);
    // The item shown before the sort is shown after it, wherever it went;
    // without one the first item is shown first.
    const Citemstruct* shown = nullptr;
    auto prepare = [&] {
        if (nowitemID == -1) {
            list.SetCurSel(0);
            if (ShowSelected().IsRefused())
                return false;
        }
        shown = nowitemID >= 0 ? doc.itemdata.GetAt(static_cast<uint32_t>(nowitemID)) : nullptr;
        return true;
    };
    const CModalWaitScope wait(m_context.ModalWait());
    CItemSortDlg dialog(m_context, m_previousOrder, prepare);
    if (dialog.DoModal(this) != kIdOk || !dialog.Changed())
        return;
    m_context.Record(dialog.TakeStep(), SJ("アイテムの整列"));
    for (uint32_t i = 0; i < doc.itemdata.GetCount(); ++i)
        if (doc.itemdata.GetAt(i) == shown)
            nowitemID = static_cast<int32_t>(i);
    RefillList();
    m_nStoredItem = nowitemID;
}

// ---- the filter box ------------------------------------------------------

void Cpage_item::FillList()
{
    const CNotifyQuietScope quiet(m_context.NotifyReady());
    const CMerxDocument& doc = m_context.Document();
    CUiControl list = Control(IDC_ITEM_LIST);
    const uint32_t lines = m_filter.IsActive() ? m_filter.FilteredCount() : doc.itemdata.GetCount();
    list.SetStrings(lines, [&](uint32_t line) {
        return doc.itemdata.GetAt(static_cast<uint32_t>(m_filter.IndexOf(static_cast<int32_t>(line))))->FieldText("name");
    });
    list.SetCurSel(m_filter.LineOf(nowitemID));
}

uint32_t Cpage_item::FilterCount() const { return m_context.Document().itemdata.GetCount(); }

void Cpage_item::AddFilterTexts(uint32_t index, CListFilter::CTexts& texts) const
{
    static const CFilterFields fields{"no", "code", "name"};
    fields.AddTexts(*m_context.Document().itemdata.GetAt(index), texts);
}

void Cpage_item::EnableMoveButtons()
{
    Control(IDC_UP).Enable(!m_filter.IsActive());
    Control(IDC_DOWN).Enable(!m_filter.IsActive());
}
