// The use box's sub-entries: the job corrections, argselect choices and
// use/need/get lines of the shown use entry, one of each shown at a time.
// Adding or choosing another first saves the shown one; a refused one keeps
// its group on it.
#include "editing/use_list_edit.h"
#include "foundation/sjis_literal.h"
#include "pages/page_item.h"
#include "pages/page_item_template.h"

using namespace item_page;

void Cpage_item::AddSubEntryAndShow(int32_t comboId, const char* key, const char* text, void (Cpage_item::*select)())
{
    Cusestruct* use = ShownUse();
    if (!use || !use->GetList(key))
        return;
    const CModalWaitScope wait(m_context.ModalWait());
    CUiControl combo = Control(comboId);
    int32_t index = -1;
    {
        const CNotifyQuietScope quiet(m_context.NotifyReady());
        combo.AddString(SJ(kNewLabel));
        index = AddSubEntry(*use, key, text);
        combo.SetCurSel(index);
    }
    m_nFailedSubSaves = 0;
    (this->*select)();
    if (m_nFailedSubSaves != 0) {
        // The shown entry could not be saved: the new one goes again.
        const CNotifyQuietScope quiet(m_context.NotifyReady());
        combo.DeleteString(index);
        RemoveSubEntry(*use, key, static_cast<uint32_t>(index));
        return;
    }
    m_context.MarkModified();
}

void Cpage_item::DeleteSubEntry(int32_t comboId, const char* key, int32_t& shownIndex,
                                void (Cpage_item::*show)(int32_t))
{
    Cusestruct* use = ShownUse();
    CUiControl combo = Control(comboId);
    const int32_t selected = combo.GetCurSel();
    if (!use || selected < 0)
        return;
    const CModalWaitScope wait(m_context.ModalWait());
    {
        const CNotifyQuietScope quiet(m_context.NotifyReady());
        combo.DeleteString(selected);
        RemoveSubEntry(*use, key, static_cast<uint32_t>(selected));
        const int32_t count = static_cast<int32_t>(combo.GetCount());
        combo.SetCurSel(selected < count ? selected : count - 1);
    }
    shownIndex = -1;
    (this->*show)(combo.GetCurSel());
    m_context.MarkModified();
}

// Job corrections.

CJobControls Cpage_item::ReadJobControls() const
{
    CJobControls controls;
    Control(IDC_JOB_NAME).GetText(controls.name);
    Control(IDC_JOB_PARAM).GetText(controls.param);
    return controls;
}

bool Cpage_item::SaveJob()
{
    Cusestruct* use = ShownUse();
    CStrArray_base<64>* list = use ? use->GetList("job") : nullptr;
    if (!list || m_nJob < 0 || static_cast<uint32_t>(m_nJob) >= list->GetCount())
        return true;
    const CJobControls now = ReadJobControls();
    CStr_base<1024> errors;
    CStr_base<64>& entry = (*list)[static_cast<uint32_t>(m_nJob)];
    if (!CheckTypedText(errors) || !ReadBackJobEntry(m_shownJob, now, entry, errors)) {
        RefuseSubSave(IDC_JOB_LIST, m_nJob, errors);
        return false;
    }
    m_shownJob = now;
    SetComboLine(IDC_JOB_LIST, m_nJob, JobLabel(entry.GetBuffer()).GetBuffer());
    return true;
}

void Cpage_item::ShowJob(int32_t index)
{
    const CNotifyQuietScope quiet(m_context.NotifyReady());
    const Cusestruct* use = ShownUse();
    const CStrArray_base<64>* list = use ? use->GetList("job") : nullptr;
    m_nJob = list && index >= 0 && static_cast<uint32_t>(index) < list->GetCount() ? index : -1;
    CJobControls controls;
    if (m_nJob >= 0)
        ShowJobEntry((*list)[static_cast<uint32_t>(m_nJob)].GetBuffer(), controls);
    Control(IDC_JOB_NAME).SetText(controls.name.GetBuffer());
    Control(IDC_JOB_PARAM).SetText(controls.param.GetBuffer());
    m_shownJob = ReadJobControls();
    EnableUseControls();
}

void Cpage_item::OnSelChangeJob()
{
    if (!ShownUse())
        return;
    const CModalWaitScope wait(m_context.ModalWait());
    if (!SaveJob())
        return;
    ShowJob(Control(IDC_JOB_LIST).GetCurSel());
}

void Cpage_item::OnJobAdd() { AddSubEntryAndShow(IDC_JOB_LIST, "job", "", &Cpage_item::OnSelChangeJob); }

void Cpage_item::OnJobDelete() { DeleteSubEntry(IDC_JOB_LIST, "job", m_nJob, &Cpage_item::ShowJob); }

void Cpage_item::OnJobHalve()
{
    if (!ShownUse() || m_nJob < 0 || !AcceptTypedText(IDC_JOB_NAME))
        return;
    CStr_base<64> name;
    Control(IDC_JOB_NAME).GetText(name);
    Control(IDC_JOB_PARAM).SetText(HalvedTimeParam(m_context.Document(), name.GetBuffer()).GetBuffer());
}

// Argument choices.

CArgselectControls Cpage_item::ReadArgselControls() const
{
    CArgselectControls controls;
    Control(IDC_ARGSEL_PARAM).GetText(controls.param);
    Control(IDC_ARGSEL_HEADING).GetText(controls.heading);
    return controls;
}

bool Cpage_item::SaveArgsel()
{
    Cusestruct* use = ShownUse();
    CStrArray_base<64>* list = use ? use->GetList("argselect") : nullptr;
    if (!list || m_nArgsel < 0 || static_cast<uint32_t>(m_nArgsel) >= list->GetCount())
        return true;
    const CArgselectControls now = ReadArgselControls();
    CStr_base<1024> errors;
    CStr_base<64>& entry = (*list)[static_cast<uint32_t>(m_nArgsel)];
    if (!CheckTypedText(errors) || !ReadBackArgselectEntry(m_shownArgsel, now, entry, errors)) {
        RefuseSubSave(IDC_ARGSEL_LIST, m_nArgsel, errors);
        return false;
    }
    m_shownArgsel = now;
    SetComboLine(IDC_ARGSEL_LIST, m_nArgsel, entry.GetBuffer());
    return true;
}

void Cpage_item::ShowArgsel(int32_t index)
{
    const CNotifyQuietScope quiet(m_context.NotifyReady());
    const Cusestruct* use = ShownUse();
    const CStrArray_base<64>* list = use ? use->GetList("argselect") : nullptr;
    m_nArgsel = list && index >= 0 && static_cast<uint32_t>(index) < list->GetCount() ? index : -1;
    CArgselectControls controls;
    if (m_nArgsel >= 0)
        ShowArgselectEntry((*list)[static_cast<uint32_t>(m_nArgsel)].GetBuffer(), controls);
    Control(IDC_ARGSEL_PARAM).SetText(controls.param.GetBuffer());
    Control(IDC_ARGSEL_HEADING).SetText(controls.heading.GetBuffer());
    m_shownArgsel = ReadArgselControls();
    EnableUseControls();
}

void Cpage_item::OnSelChangeArgsel()
{
    if (!ShownUse())
        return;
    const CModalWaitScope wait(m_context.ModalWait());
    if (!SaveArgsel())
        return;
    ShowArgsel(Control(IDC_ARGSEL_LIST).GetCurSel());
}

void Cpage_item::OnArgselAdd()
{
    AddSubEntryAndShow(IDC_ARGSEL_LIST, "argselect", ";", &Cpage_item::OnSelChangeArgsel);
}

void Cpage_item::OnArgselDelete() { DeleteSubEntry(IDC_ARGSEL_LIST, "argselect", m_nArgsel, &Cpage_item::ShowArgsel); }

void Cpage_item::OnArgselUp()
{
    if (m_nArgsel > 0)
        MoveArgsel(m_nArgsel - 1);
}

void Cpage_item::OnArgselDown()
{
    if (m_nArgsel >= 0)
        MoveArgsel(m_nArgsel + 1);
}

void Cpage_item::MoveArgsel(int32_t other)
{
    // The controls go on showing the moved entry, which the next save
    // writes in its new place.
    Cusestruct* use = ShownUse();
    CStrArray_base<64>* list = use ? use->GetList("argselect") : nullptr;
    if (!list || m_nArgsel < 0 || other < 0 || static_cast<uint32_t>(other) >= list->GetCount())
        return;
    ExchangeSubEntries(*use, "argselect", static_cast<uint32_t>(m_nArgsel), static_cast<uint32_t>(other));
    CUiControl combo = Control(IDC_ARGSEL_LIST);
    CStr_base<64> moved, neighbour;
    combo.GetItemText(m_nArgsel, moved);
    combo.GetItemText(other, neighbour);
    SetComboLine(IDC_ARGSEL_LIST, m_nArgsel, neighbour.GetBuffer());
    SetComboLine(IDC_ARGSEL_LIST, other, moved.GetBuffer());
    combo.SetCurSel(other);
    m_nArgsel = other;
    m_context.MarkModified();
}

// Use, need and get lines.

CUngControls Cpage_item::ReadUngControls() const
{
    CUngControls controls;
    controls.kind = Control(IDC_UNG_KIND).GetCurSel();
    Control(IDC_UNG_COUNT).GetText(controls.count);
    Control(IDC_UNG_ITEM).GetText(controls.item);
    Control(IDC_UNG_RATE).GetText(controls.rate);
    Control(IDC_UNG_MESSAGE).GetText(controls.message);
    return controls;
}

bool Cpage_item::SaveUng()
{
    Cusestruct* use = ShownUse();
    CStrArray_base<64>* list = use ? use->GetList("ung") : nullptr;
    if (!list || m_nUng < 0 || static_cast<uint32_t>(m_nUng) >= list->GetCount())
        return true;
    const CUngControls now = ReadUngControls();
    CStr_base<1024> errors;
    CStr_base<64>& entry = (*list)[static_cast<uint32_t>(m_nUng)];
    if (!CheckTypedText(errors) ||
        !ReadBackUngLine(m_bNewUng ? nullptr : &m_shownUng, now, m_context.Document(), NameEditText().GetBuffer(),
                         entry, errors)) {
        RefuseSubSave(IDC_UNG_LIST, m_nUng, errors);
        return false;
    }
    m_shownUng = now;
    m_bNewUng = false;
    SetComboLine(IDC_UNG_LIST, m_nUng, UngLabel(entry.GetBuffer()).GetBuffer());
    return true;
}

void Cpage_item::ShowUng(int32_t index)
{
    const CNotifyQuietScope quiet(m_context.NotifyReady());
    const Cusestruct* use = ShownUse();
    const CStrArray_base<64>* list = use ? use->GetList("ung") : nullptr;
    m_nUng = list && index >= 0 && static_cast<uint32_t>(index) < list->GetCount() ? index : -1;
    m_bNewUng = false;
    CUngControls controls;
    if (m_nUng >= 0)
        ShowUngLine((*list)[static_cast<uint32_t>(m_nUng)].GetBuffer(), NameEditText().GetBuffer(), controls);
    Control(IDC_UNG_KIND).SetCurSel(controls.kind);
    Control(IDC_UNG_COUNT).SetText(controls.count.GetBuffer());
    Control(IDC_UNG_ITEM).SetText(controls.item.GetBuffer());
    Control(IDC_UNG_RATE).SetText(controls.rate.GetBuffer());
    Control(IDC_UNG_MESSAGE).SetText(controls.message.GetBuffer());
    m_shownUng = ReadUngControls();
    EnableUseControls();
}

void Cpage_item::OnSelChangeUng()
{
    if (!ShownUse())
        return;
    const CModalWaitScope wait(m_context.ModalWait());
    if (!SaveUng())
        return;
    ShowUng(Control(IDC_UNG_LIST).GetCurSel());
}

void Cpage_item::OnUngAdd()
{
    CStr_base<64> line("use\t\t");
    line.Append(SJ("このアイテム"));
    line.Append("\t\t");
    const uint32_t before = Control(IDC_UNG_LIST).GetCount();
    AddSubEntryAndShow(IDC_UNG_LIST, "ung", line.GetBuffer(), &Cpage_item::OnSelChangeUng);
    // A new line is read from its controls as a whole when it is saved, so
    // that it takes a count and the item's name even when left alone.
    if (Control(IDC_UNG_LIST).GetCount() > before)
        m_bNewUng = true;
}

void Cpage_item::OnUngDelete() { DeleteSubEntry(IDC_UNG_LIST, "ung", m_nUng, &Cpage_item::ShowUng); }
