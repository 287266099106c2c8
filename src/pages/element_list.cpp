#include "pages/element_list.h"

#include "app/notify_ready.h"
#include "app/page_context.h"
#include "editing/condition_crossing.h"
#include "editing/internal_error.h"
#include "editing/step_names.h"
#include "foundation/out_of_memory.h"
#include "foundation/sjis_literal.h"
#include "pages/filtered_list_page.h"

template <class T>
CElementListController<T>::CElementListController(CFilteredListPage& page, CPageContext& context,
                                                  CElementListOwner& owner, int32_t& shown, T& work,
                                                  const CElementListKind<T>& kind)
    : m_page(page), m_context(context), m_owner(owner), m_nShown(shown), m_work(work), m_kind(kind)
{
}

template <class T>
CMerxArray<T>& CElementListController<T>::Elements() const
{
    return m_context.Document().*m_kind.container;
}

template <class T>
uint32_t CElementListController<T>::Count() const
{
    return Elements().GetCount();
}

template <class T>
int32_t CElementListController<T>::Selection() const
{
    return m_page.HasWindow() ? m_nShown : m_nStored;
}

template <class T>
int32_t CElementListController<T>::CurrentElement() const
{
    return m_page.HasWindow() ? m_nShown : -1;
}

template <class T>
void CElementListController<T>::ShowStored()
{
    m_nShown = -1;
    m_page.m_filter.Clear();
    FillList();
    EnableMoveButtons();
    if (m_nStored >= 0 && static_cast<uint32_t>(m_nStored) < Count()) {
        m_page.Control(m_kind.listId).SetCurSel(m_nStored);
        ShowSelected();
    }
    m_owner.ElementsChanged();
}

template <class T>
void CElementListController<T>::SelectElement(int32_t index)
{
    if (!m_page.HasWindow()) {
        m_nStored = index;
        return;
    }
    if (index >= 0 && m_page.m_filter.LineOf(index) < 0)
        m_page.ClearFilter();
    m_page.Control(m_kind.listId).SetCurSel(m_page.m_filter.LineOf(index));
    ShowSelected();
}

template <class T>
void CElementListController<T>::Reload()
{
    if (!m_page.HasWindow())
        return;
    const int32_t count = static_cast<int32_t>(Count());
    const int32_t shown = m_nShown >= count ? count - 1 : m_nShown;
    m_nShown = -1;
    m_page.RefillList();
    if (shown >= 0 && m_page.m_filter.LineOf(shown) < 0)
        m_page.ClearFilter();
    m_page.Control(m_kind.listId).SetCurSel(m_page.m_filter.LineOf(shown));
    ShowSelected();
    m_owner.ElementsChanged();
}

template <class T>
void CElementListController<T>::HideShown()
{
    m_nShown = -1;
    m_owner.HideElement();
}

template <class T>
CApplyResult CElementListController<T>::ShowSelected()
{
    const CModalWaitScope wait(m_context.ModalWait());
    CUiControl list = m_page.Control(m_kind.listId);
    if (m_nShown != -1) {
        CApplyResult applied;
        {
            const CNotifyQuietScope quiet(m_context.NotifyReady());
            applied = m_page.Apply();
        }
        if (applied.IsRefused()) {
            list.SetCurSel(m_page.m_filter.LineOf(m_nShown));
            return applied;
        }
        m_owner.ElementsChanged();
    }
    m_nShown = m_page.m_filter.IndexOf(list.GetCurSel());
    m_nStored = m_nShown;
    if (m_nShown < 0) {
        HideShown();
        return {};
    }
    const uint32_t count = Count();
    if (static_cast<uint32_t>(m_nShown) >= count) {
        CStr_base<64> info, message;
        info.Format(SJ("%s.GetArrayCount()：%u\n      %s：%d\n"), m_kind.containerName, count, m_kind.shownName,
                    m_nShown);
        message.Format("%s_outlength", m_kind.containerName);
        m_context.ShowMessage(
            InternalErrorReport(message.GetBuffer(), m_kind.handler, info.GetBuffer()).GetBuffer());
        m_nStored = -1;
        HideShown();
        return {};
    }
    m_work = *Elements().GetAt(static_cast<uint32_t>(m_nShown));
    m_owner.ShowElement();
    return {};
}

template <class T>
void CElementListController<T>::OnRevert()
{
    m_nShown = -1;
    ShowSelected();
}

// ---- insertions ------------------------------------------------------------

template <class T>
bool CElementListController<T>::ApplyBeforeInsert() { return m_nShown == -1 || !ShowSelected().IsRefused(); }

template <class T>
void CElementListController<T>::OnAdd()
{
    // The new element is listed where it goes among all elements.
    m_page.ClearFilter();
    // The shown element is applied first; a refusal keeps it shown and
    // adds nothing.
    if (!ApplyBeforeInsert())
        return;
    const bool insert = m_page.Control(m_kind.insertId).GetCheck() && m_nShown != -1;
    const CInsertPlace place = FindInsertPlace(m_context.Document(), Elements(), insert, m_nShown);
    Insert(m_kind.insertNew(m_context.Document(), place), place, !insert, true);
}

template <class T>
void CElementListController<T>::OnCopy()
{
    if (m_nShown == -1)
        return;
    m_page.ClearFilter();
    if (m_page.Control(m_kind.listId).GetCurSel() < 0 || !ApplyBeforeInsert() || m_nShown == -1)
        return;
    const bool insert = m_page.Control(m_kind.insertId).GetCheck();
    const CInsertPlace place = FindInsertPlace(m_context.Document(), Elements(), insert, m_nShown);
    Insert(m_kind.insertCopy(m_context.Document(), place, m_work), place, !insert, false);
}

template <class T>
void CElementListController<T>::Insert(CEditCommandPtr step, const CInsertPlace& place, bool atEnd, bool fresh)
{
    ShowInserted(place.index, atEnd, fresh);
    const CStr_base<256> name = ElementStepName(*Elements().GetAt(place.index), fresh ? SJ("追加") : SJ("コピー"));
    m_context.Record(std::move(step), name.GetBuffer());
}

template <class T>
void CElementListController<T>::ShowInserted(uint32_t index, bool atEnd, bool fresh)
{
    CUiControl list = m_page.Control(m_kind.listId);
    const int32_t shown = m_nShown;
    const uint32_t listed = list.GetCount();
    try {
        CStr_base<64> buffer;
        const char* label = m_kind.label(*Elements().GetAt(index), buffer);
        if (atEnd) {
            list.AddString(label);
        } else {
            // The shown line moves down first, so that a failure can tell
            // it from the new line.
            if (m_nShown >= static_cast<int32_t>(index))
                ++m_nShown;
            list.InsertString(static_cast<int32_t>(index), label);
        }
        list.SetCurSel(static_cast<int32_t>(index));
        ShowSelected();
    } catch (...) {
        if (IsOutOfMemory())
            TakeBack(index, shown, listed);
        throw;
    }
    if (m_nShown == static_cast<int32_t>(index))
        m_owner.InsertedShown(fresh);
}

template <class T>
void CElementListController<T>::TakeBack(uint32_t index, int32_t shown, uint32_t listed)
{
    // The shown element is still the one the page showed (with the user's
    // edits) unless the page had gone on to the new one.
    const bool left = m_nShown == static_cast<int32_t>(index);
    m_context.Document().RemoveElement(Elements().GetAt(index));
    CUiControl list = m_page.Control(m_kind.listId);
    if (list.GetCount() > listed)
        list.DeleteString(static_cast<int32_t>(index));
    list.SetCurSel(m_page.m_filter.LineOf(shown));
    if (!left) {
        m_nShown = m_nStored = shown;
        return;
    }
    m_nShown = -1;
    ShowSelected();
}

// ---- delete and move -------------------------------------------------------

template <class T>
void CElementListController<T>::OnDelete()
{
    if (m_nShown == -1)
        return;
    const uint32_t removed = static_cast<uint32_t>(m_nShown);
    const CStr_base<1024> question = m_kind.deleteQuestion(m_context.Document(), *Elements().GetAt(removed));
    if (m_context.Ask(question.GetBuffer(), UiButtons::kYesNo) != UiAnswer::kYes)
        return;
    CUiControl list = m_page.Control(m_kind.listId);
    T& element = *Elements().GetAt(removed);
    const CStr_base<256> name = ElementStepName(element, SJ("削除"));
    CEditCommandPtr step = RemoveElement(m_context.Document(), element);
    {
        const CNotifyQuietScope quiet(m_context.NotifyReady());
        const int32_t line = m_page.m_filter.Remove(removed);
        if (line >= 0)
            list.DeleteString(line);
        list.SetCurSel(m_page.m_filter.LineAfterRemoved(removed, list.GetCount()));
    }
    m_context.Record(std::move(step), name.GetBuffer());
    m_nShown = -1;
    ShowSelected();
    m_owner.ElementsChanged();
}

template <class T>
void CElementListController<T>::ExchangeWithNeighbour(int32_t other)
{
    if (m_nShown == -1 || m_page.m_filter.IsActive() || other < 0 ||
        static_cast<uint32_t>(other) >= Count())
        return;
    // An element carried across an "@@IF" line exists under another
    // condition.
    const uint32_t shown = static_cast<uint32_t>(m_nShown), neighbour = static_cast<uint32_t>(other);
    CMerxDocument& doc = m_context.Document();
    const CStr_base<1024> question = ConditionCrossingQuestion(doc, Elements()[shown], Elements()[neighbour]);
    if (!question.IsEmpty() && m_context.Ask(question.GetBuffer(), UiButtons::kYesNo) != UiAnswer::kYes)
        return;
    CEditCommandPtr step = m_kind.exchange(doc, shown, neighbour);
    m_context.Record(std::move(step), ElementStepName(Elements()[neighbour], SJ("移動")).GetBuffer());
    {
        const CNotifyQuietScope quiet(m_context.NotifyReady());
        SetListLine(m_nShown);
        SetListLine(other);
        m_page.Control(m_kind.listId).SetCurSel(m_page.m_filter.LineOf(other));
    }
    m_nShown = m_nStored = other;
}

template <class T>
void CElementListController<T>::OnUp() { ExchangeWithNeighbour(m_nShown - 1); }

template <class T>
void CElementListController<T>::OnDown()
{
    if (m_nShown != -1)
        ExchangeWithNeighbour(m_nShown + 1);
}

// ---- the lines -------------------------------------------------------------

template <class T>
void CElementListController<T>::SetListLine(int32_t index)
{
    const int32_t line = m_page.m_filter.LineOf(index);
    if (line < 0)
        return;
    CUiControl list = m_page.Control(m_kind.listId);
    CStr_base<64> buffer;
    list.DeleteString(line);
    list.InsertString(line, m_kind.label(*Elements().GetAt(static_cast<uint32_t>(index)), buffer));
}

template <class T>
void CElementListController<T>::RelabelShown()
{
    const CNotifyQuietScope quiet(m_context.NotifyReady());
    CUiControl list = m_page.Control(m_kind.listId);
    const int32_t selected = list.GetCurSel();
    SetListLine(m_nShown);
    list.SetCurSel(selected);
}

template <class T>
void CElementListController<T>::FillList()
{
    const CNotifyQuietScope quiet(m_context.NotifyReady());
    const CListFilter& filter = m_page.m_filter;
    CUiControl list = m_page.Control(m_kind.listId);
    const CMerxArray<T>& elements = Elements();
    const uint32_t lines = filter.IsActive() ? filter.FilteredCount() : elements.GetCount();
    CStr_base<64> buffer;
    list.SetStrings(lines, [&](uint32_t line) {
        return m_kind.label(*elements.GetAt(static_cast<uint32_t>(filter.IndexOf(static_cast<int32_t>(line)))), buffer);
    });
    list.SetCurSel(filter.LineOf(m_nShown));
}

template <class T>
void CElementListController<T>::EnableMoveButtons()
{
    m_page.Control(m_kind.upId).Enable(!m_page.m_filter.IsActive());
    m_page.Control(m_kind.downId).Enable(!m_page.m_filter.IsActive());
}

template class CElementListController<Citemstruct>;
template class CElementListController<Ceventstruct>;
