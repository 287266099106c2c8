#include "pages/use_sub_entries.h"

#include "editing/use_list_edit.h"
#include "foundation/sjis_literal.h"
#include "pages/use_box.h"

namespace {

// The line of an entry just added, until it is saved.
constexpr char kNewLabel[] = "(新規空データ)";

} // namespace

template <class Controls>
CStrArray_base<64>* CUseSubEntries<Controls>::ShownList() const
{
    Cusestruct* use = m_box.ShownUse();
    return use ? use->GetList(m_group.key) : nullptr;
}

template <class Controls>
Controls CUseSubEntries<Controls>::ReadControls() const
{
    Controls controls;
    for (const CUseSubControl<Controls>& control : m_group.controls) {
        if (control.text)
            m_box.Control(control.id).GetText(controls.*control.text);
        else
            controls.*control.selection = m_box.Control(control.id).GetCurSel();
    }
    return controls;
}

template <class Controls>
void CUseSubEntries<Controls>::ShowList(const Cusestruct& use)
{
    CUiControl combo = m_box.Control(m_group.list);
    combo.ResetContent();
    if (const CStrArray_base<64>* list = use.GetList(m_group.key))
        for (const CStr_base<64>& entry : *list)
            combo.AddString(m_group.label(entry.GetBuffer()).GetBuffer());
    combo.SetCurSel(combo.GetCount() > 0 ? 0 : -1);
    Show(combo.GetCurSel());
}

template <class Controls>
void CUseSubEntries<Controls>::Show(int32_t index)
{
    const CNotifyQuietScope quiet(m_box.m_context.NotifyReady());
    const CStrArray_base<64>* list = ShownList();
    m_nShown = list && index >= 0 && static_cast<uint32_t>(index) < list->GetCount() ? index : -1;
    m_bNew = false;
    Controls controls;
    if (m_nShown >= 0)
        m_group.show((*list)[static_cast<uint32_t>(m_nShown)].GetBuffer(), m_box.SubScope(), controls);
    for (const CUseSubControl<Controls>& control : m_group.controls) {
        if (control.text)
            m_box.Control(control.id).SetText((controls.*control.text).GetBuffer());
        else
            m_box.Control(control.id).SetCurSel(controls.*control.selection);
    }
    m_shown = ReadControls();
    m_box.EnableControls();
}

template <class Controls>
CApplyResult CUseSubEntries<Controls>::Save()
{
    CStrArray_base<64>* list = ShownList();
    if (!list || m_nShown < 0 || static_cast<uint32_t>(m_nShown) >= list->GetCount())
        return {};
    const Controls now = ReadControls();
    CStr_base<1024> errors;
    CStr_base<64>& entry = (*list)[static_cast<uint32_t>(m_nShown)];
    if (!m_box.m_page.CheckTypedText(errors) ||
        !m_group.readBack(m_bNew ? nullptr : &m_shown, now, m_box.SubScope(), entry, errors)) {
        const CApplyResult refused = m_box.Refuse(errors);
        m_box.Control(m_group.list).SetCurSel(m_nShown);
        return refused;
    }
    m_shown = now;
    m_bNew = false;
    m_box.SetComboLine(m_group.list, m_nShown, m_group.label(entry.GetBuffer()).GetBuffer());
    return {};
}

template <class Controls>
void CUseSubEntries<Controls>::Enable(const Cusestruct* use, bool beta) const
{
    const CStrArray_base<64>* list = use ? use->GetList(m_group.key) : nullptr;
    const bool group = use && (!m_group.betaOnly || (beta && list));
    for (int32_t id : m_group.buttons)
        m_box.Control(id).Enable(group);
    const bool entries = group && list && list->GetCount() > 0;
    m_box.Control(m_group.list).Enable(entries);
    for (const CUseSubControl<Controls>& control : m_group.controls)
        m_box.Control(control.id).Enable(entries);
}

template <class Controls>
bool CUseSubEntries<Controls>::SaveAndShowSelection()
{
    if (Save().IsRefused())
        return false;
    Show(m_box.Control(m_group.list).GetCurSel());
    return true;
}

template <class Controls>
void CUseSubEntries<Controls>::OnSelChange()
{
    if (!m_box.ShownUse())
        return;
    const CModalWaitScope wait(m_box.m_context.ModalWait());
    SaveAndShowSelection();
}

template <class Controls>
void CUseSubEntries<Controls>::OnAdd()
{
    Cusestruct* use = m_box.ShownUse();
    if (!use || !use->GetList(m_group.key))
        return;
    CPageContext& context = m_box.m_context;
    const CModalWaitScope wait(context.ModalWait());
    CUiControl combo = m_box.Control(m_group.list);
    int32_t index = -1;
    {
        const CNotifyQuietScope quiet(context.NotifyReady());
        combo.AddString(SJ(kNewLabel));
        index = AddSubEntry(*use, m_group.key, m_group.newEntry);
        combo.SetCurSel(index);
    }
    if (!SaveAndShowSelection()) {
        // The shown entry could not be saved: the new one goes again.
        const CNotifyQuietScope quiet(context.NotifyReady());
        combo.DeleteString(index);
        RemoveSubEntry(*use, m_group.key, static_cast<uint32_t>(index));
        return;
    }
    m_bNew = m_group.newEntryEdited;
    context.MarkModified();
}

template <class Controls>
void CUseSubEntries<Controls>::OnDelete()
{
    Cusestruct* use = m_box.ShownUse();
    CUiControl combo = m_box.Control(m_group.list);
    const int32_t selected = combo.GetCurSel();
    if (!use || selected < 0)
        return;
    CPageContext& context = m_box.m_context;
    const CModalWaitScope wait(context.ModalWait());
    {
        const CNotifyQuietScope quiet(context.NotifyReady());
        combo.DeleteString(selected);
        RemoveSubEntry(*use, m_group.key, static_cast<uint32_t>(selected));
        const int32_t count = static_cast<int32_t>(combo.GetCount());
        combo.SetCurSel(selected < count ? selected : count - 1);
    }
    m_nShown = -1;
    Show(combo.GetCurSel());
    context.MarkModified();
}

template <class Controls>
void CUseSubEntries<Controls>::OnUp()
{
    if (m_nShown > 0)
        Move(m_nShown - 1);
}

template <class Controls>
void CUseSubEntries<Controls>::OnDown()
{
    if (m_nShown >= 0)
        Move(m_nShown + 1);
}

template <class Controls>
void CUseSubEntries<Controls>::Move(int32_t other)
{
    // The controls go on showing the moved entry, which the next save
    // writes in its new place.
    Cusestruct* use = m_box.ShownUse();
    CStrArray_base<64>* list = ShownList();
    if (!list || m_nShown < 0 || other < 0 || static_cast<uint32_t>(other) >= list->GetCount())
        return;
    ExchangeSubEntries(*use, m_group.key, static_cast<uint32_t>(m_nShown), static_cast<uint32_t>(other));
    CUiControl combo = m_box.Control(m_group.list);
    CStr_base<64> moved, neighbour;
    combo.GetItemText(m_nShown, moved);
    combo.GetItemText(other, neighbour);
    m_box.SetComboLine(m_group.list, m_nShown, neighbour.GetBuffer());
    m_box.SetComboLine(m_group.list, other, moved.GetBuffer());
    combo.SetCurSel(other);
    m_nShown = other;
    m_box.m_context.MarkModified();
}

template class CUseSubEntries<CJobControls>;
template class CUseSubEntries<CArgselectControls>;
template class CUseSubEntries<CUngControls>;
