// The item page's "@@USE" box: the use entries of the working copy.
//
// Switching anything in the box first saves what is shown (the entry's
// fields and script text, its job, argselect and use/need/get line) and
// then shows the new selection. A refused sub-entry keeps its group on the
// shown entry; a refused use field or script keeps the stored text.
#include <cstring>

#include "app/edit_dlg.h"
#include "document/declared_subs.h"
#include "editing/use_list_edit.h"
#include "foundation/sjis_literal.h"
#include "pages/item_ex_dlg.h"
#include "pages/page_item.h"
#include "pages/page_item_template.h"
#include "settings/setting_keys.h"

using namespace item_page;

namespace {

const char* UseName(const Cusestruct& use)
{
    const CMerxString* name = use.GetField("name");
    return name ? name->GetBuffer() : "";
}

CStr_base<64> PlainLabel(const char* entry) { return CStr_base<64>(entry); }

// The field edit of the "argselect" heading among the plain fields.
int32_t ArgselectFieldId()
{
    for (uint32_t i = 0; i < kUseFieldCount; ++i)
        if (std::strcmp(g_aszUseFieldKeys[i], "argselect") == 0)
            return IDC_USE_FIELD_FIRST + static_cast<int32_t>(i);
    return -1;
}

const int32_t kJobEntryIds[] = {IDC_JOB_LIST, IDC_JOB_NAME, IDC_JOB_PARAM};
const int32_t kArgselEntryIds[] = {IDC_ARGSEL_LIST, IDC_ARGSEL_PARAM, IDC_ARGSEL_HEADING};
const int32_t kUngEntryIds[] = {IDC_UNG_LIST,  IDC_UNG_KIND, IDC_UNG_ITEM,
                                IDC_UNG_COUNT, IDC_UNG_RATE, IDC_UNG_MESSAGE};

} // namespace

Cusestruct* Cpage_item::ShownUse()
{
    if (nowitemID == -1 || m_nUse < 0 || static_cast<uint32_t>(m_nUse) >= m_work.uses.GetCount())
        return nullptr;
    return m_work.uses.GetAt(static_cast<uint32_t>(m_nUse));
}

CStr_base<64> Cpage_item::NameEditText() const
{
    CStr_base<64> name;
    Control(IDC_NAME).GetText(name);
    return name;
}

void Cpage_item::EnableUseControls()
{
    const Cusestruct* use = const_cast<Cpage_item*>(this)->ShownUse();
    const bool item = nowitemID != -1;
    const bool entries = item && m_work.uses.GetCount() > 0;
    const bool entry = entries && use;
    const bool beta = IsBeta();
    Control(IDC_USE_LIST).Enable(entries);
    Control(IDC_USE_ADD).Enable(item);
    for (int32_t id : {IDC_USE_COPY, IDC_USE_DELETE, IDC_USE_UP, IDC_USE_DOWN})
        Control(id).Enable(item);
    const int32_t argselectField = ArgselectFieldId();
    for (uint32_t i = 0; i < kUseFieldCount; ++i) {
        const int32_t id = IDC_USE_FIELD_FIRST + static_cast<int32_t>(i);
        Control(id).Enable(entry && (id != argselectField || (beta && use->GetField("argselect"))));
    }
    for (uint32_t i = 0; i < kUseParamCount; ++i)
        Control(IDC_USE_PARAM_FIRST + static_cast<int32_t>(i)).Enable(entry);
    const int32_t entryIds[] = {IDC_ARG_TARGET,   IDC_ARG_NOCOUNT,  IDC_ARG_MESSAGE,     IDC_ARG_MESSAGE_NUMBER,
                                IDC_USE_FUNC_COMBO, IDC_USE_FUNC_REF, IDC_USE_FUNC_EDIT, IDC_USE_FUNC_WINDOW,
                                IDC_USE_EX,       IDC_JOB_ADD,      IDC_JOB_DELETE,      IDC_JOB_HALVE,
                                IDC_UNG_ADD,      IDC_UNG_DELETE};
    for (int32_t id : entryIds)
        Control(id).Enable(entry);
    Control(IDC_ARG_SELECT).Enable(entry && beta);
    Control(IDC_ARG_SELECT_MODE).Enable(entry && beta);
    const bool argsel = entry && beta && use->GetList("argselect");
    for (int32_t id : {IDC_ARGSEL_ADD, IDC_ARGSEL_DELETE, IDC_ARGSEL_UP, IDC_ARGSEL_DOWN})
        Control(id).Enable(argsel);

    auto hasEntries = [use](const char* key) {
        const CStrArray_base<64>* list = use ? use->GetList(key) : nullptr;
        return list && list->GetCount() > 0;
    };
    for (int32_t id : kJobEntryIds)
        Control(id).Enable(entry && hasEntries("job"));
    for (int32_t id : kArgselEntryIds)
        Control(id).Enable(argsel && hasEntries("argselect"));
    for (int32_t id : kUngEntryIds)
        Control(id).Enable(entry && hasEntries("ung"));
}

void Cpage_item::SetComboLine(int32_t comboId, int32_t index, const char* text)
{
    const CNotifyQuietScope quiet(m_context.NotifyReady());
    CUiControl combo = Control(comboId);
    if (index < 0 || static_cast<uint32_t>(index) >= combo.GetCount())
        return;
    const int32_t selected = combo.GetCurSel();
    combo.DeleteString(index);
    combo.InsertString(index, text);
    combo.SetCurSel(selected);
}

void Cpage_item::FillSubCombo(int32_t comboId, const CStrArray_base<64>* list, CStr_base<64> (*label)(const char*))
{
    CUiControl combo = Control(comboId);
    combo.ResetContent();
    if (list)
        for (const CStr_base<64>& entry : *list)
            combo.AddString(label(entry.GetBuffer()).GetBuffer());
    combo.SetCurSel(combo.GetCount() > 0 ? 0 : -1);
}

void Cpage_item::RefuseSubSave(int32_t comboId, int32_t shownIndex, const CStr_base<1024>& errors)
{
    m_context.ShowMessage(errors.GetBuffer());
    Control(comboId).SetCurSel(shownIndex);
    ++m_nFailedSubSaves;
    m_context.ApplyError().Append(errors);
}

// ---- use entries -----------------------------------------------------------

void Cpage_item::ShowUseList()
{
    {
        const CNotifyQuietScope quiet(m_context.NotifyReady());
        CUiControl list = Control(IDC_USE_LIST);
        list.ResetContent();
        for (const Cusestruct& use : m_work.uses)
            list.AddString(UseName(use));
        list.SetCurSel(list.GetCount() > 0 ? 0 : -1);
    }
    m_nUse = -1;
    OnSelChangeUseList();
}

void Cpage_item::OnSelChangeUseList()
{
    const CModalWaitScope wait(m_context.ModalWait());
    SaveShownUse();
    ShowUse(Control(IDC_USE_LIST).GetCurSel());
}

CUseFieldControls Cpage_item::ReadUseControls() const
{
    CUseFieldControls controls;
    for (uint32_t i = 0; i < kUseFieldCount; ++i)
        Control(IDC_USE_FIELD_FIRST + static_cast<int32_t>(i)).GetText(controls.fields[i]);
    for (uint32_t i = 0; i < kUseParamCount; ++i)
        Control(IDC_USE_PARAM_FIRST + static_cast<int32_t>(i)).GetText(controls.params[i]);
    controls.target = Control(IDC_ARG_TARGET).GetCheck();
    controls.nocount = Control(IDC_ARG_NOCOUNT).GetCheck();
    controls.message = Control(IDC_ARG_MESSAGE).GetCheck();
    Control(IDC_ARG_MESSAGE_NUMBER).GetText(controls.messageNumber);
    controls.select = Control(IDC_ARG_SELECT).GetCheck();
    controls.selectMode = Control(IDC_ARG_SELECT_MODE).GetCurSel();
    return controls;
}

bool Cpage_item::SaveShownUse()
{
    Cusestruct* use = ShownUse();
    if (!use)
        return true;
    if (!AcceptTypedText())
        return false;
    bool saved = true;
    const CUseFieldControls now = ReadUseControls();
    CStr_base<1024> errors;
    if (ReadBackUseFields(m_shownUse, now, *use, errors)) {
        m_shownUse = now;
    } else {
        // The refused heading is refused again by the next save.
        const uint32_t heading = static_cast<uint32_t>(ArgselectFieldId() - IDC_USE_FIELD_FIRST);
        const CStr_base<64> shownHeading = m_shownUse.fields[heading];
        m_shownUse = now;
        m_shownUse.fields[heading] = shownHeading;
        m_context.ShowMessage(errors.GetBuffer());
        m_context.ApplyError().Append(errors);
        saved = false;
    }
    SetComboLine(IDC_USE_LIST, m_nUse, UseName(*use));
    saved = SaveUseScript() && saved;
    saved = SaveJob() && saved;
    saved = SaveArgsel() && saved;
    saved = SaveUng() && saved;
    return saved;
}

void Cpage_item::ShowUse(int32_t index)
{
    m_nUseFunc = m_nJob = m_nArgsel = m_nUng = -1;
    m_nUse = nowitemID != -1 && index >= 0 && static_cast<uint32_t>(index) < m_work.uses.GetCount() ? index : -1;
    const CNotifyQuietScope quiet(m_context.NotifyReady());
    // Without an entry the box shows empty controls.
    const Cusestruct none;
    const Cusestruct& use = m_nUse >= 0 ? *ShownUse() : none;

    CUseFieldControls controls;
    ShowUseFields(use, controls);
    for (uint32_t i = 0; i < kUseFieldCount; ++i)
        Control(IDC_USE_FIELD_FIRST + static_cast<int32_t>(i)).SetText(controls.fields[i].GetBuffer());
    for (uint32_t i = 0; i < kUseParamCount; ++i)
        Control(IDC_USE_PARAM_FIRST + static_cast<int32_t>(i)).SetText(controls.params[i].GetBuffer());
    Control(IDC_ARG_TARGET).SetCheck(controls.target);
    Control(IDC_ARG_NOCOUNT).SetCheck(controls.nocount);
    Control(IDC_ARG_MESSAGE).SetCheck(controls.message);
    Control(IDC_ARG_MESSAGE_NUMBER).SetText(controls.messageNumber.GetBuffer());
    Control(IDC_ARG_SELECT).SetCheck(controls.select);
    Control(IDC_ARG_SELECT_MODE).SetCurSel(controls.selectMode);
    // Compared with what the controls give back, as on the item side.
    m_shownUse = ReadUseControls();

    FillSubCombo(IDC_JOB_LIST, use.GetList("job"), JobLabel);
    ShowJob(Control(IDC_JOB_LIST).GetCurSel());
    FillSubCombo(IDC_ARGSEL_LIST, use.GetList("argselect"), PlainLabel);
    ShowArgsel(Control(IDC_ARGSEL_LIST).GetCurSel());
    FillSubCombo(IDC_UNG_LIST, use.GetList("ung"), UngLabel);
    RefillUngItemNames();
    ShowUng(Control(IDC_UNG_LIST).GetCurSel());
    Control(IDC_USE_FUNC_COMBO).SetCurSel(0);
    ShowUseScript(0);
    EnableUseControls();
}

void Cpage_item::RefillUngItemNames()
{
    // Refilled only when the names changed: an item may have many use
    // entries, and a project tens of thousands of items.
    const CMerxArray<Citemstruct>& items = m_context.Document().itemdata;
    bool same = m_ungItemNames.GetCount() == items.GetCount() &&
                Control(IDC_UNG_ITEM).GetCount() == items.GetCount() + 1;
    for (uint32_t i = 0; same && i < items.GetCount(); ++i) {
        const CMerxString* name = items[i].GetField("name");
        same = m_ungItemNames[i] == (name ? name->GetBuffer() : "");
    }
    if (same)
        return;
    CUiControl combo = Control(IDC_UNG_ITEM);
    combo.ResetContent();
    combo.AddString(SJ("このアイテム"));
    m_ungItemNames.RemoveAll();
    for (const Citemstruct& item : items) {
        const CMerxString* name = item.GetField("name");
        const char* text = name ? name->GetBuffer() : "";
        m_ungItemNames.Add()->Assign(text);
        combo.AddString(text);
    }
}

void Cpage_item::OnUseAdd()
{
    if (nowitemID == -1)
        return;
    const CModalWaitScope wait(m_context.ModalWait());
    const uint32_t number = m_work.uses.GetCount();
    Cusestruct fresh;
    InitNewUseEntry(m_context.Document(), fresh, number);
    *m_work.uses.Add() = fresh;
    {
        const CNotifyQuietScope quiet(m_context.NotifyReady());
        CUiControl list = Control(IDC_USE_LIST);
        list.AddString(UseName(fresh));
        list.SetCurSel(static_cast<int32_t>(number));
    }
    OnSelChangeUseList();
    m_context.MarkModified();
}

void Cpage_item::OnUseCopy()
{
    if (m_nUse < 0 || Control(IDC_USE_LIST).GetCurSel() < 0)
        return;
    const CModalWaitScope wait(m_context.ModalWait());
    OnSelChangeUseList();
    const Cusestruct* shown = ShownUse();
    if (!shown)
        return;
    const Cusestruct copy = *shown;
    *m_work.uses.Add() = copy;
    {
        const CNotifyQuietScope quiet(m_context.NotifyReady());
        CUiControl list = Control(IDC_USE_LIST);
        list.AddString(UseName(copy));
        list.SetCurSel(static_cast<int32_t>(m_work.uses.GetCount() - 1));
    }
    OnSelChangeUseList();
    m_context.MarkModified();
}

void Cpage_item::OnUseDelete()
{
    CUiControl list = Control(IDC_USE_LIST);
    const int32_t selected = list.GetCurSel();
    if (nowitemID == -1 || selected < 0)
        return;
    const CModalWaitScope wait(m_context.ModalWait());
    if (!RemoveUseEntry(m_work, static_cast<uint32_t>(selected))) {
        m_context.ShowMessage(SJ("このスクリプトは他の@@USEから参照されているため削除できません。"));
        return;
    }
    {
        const CNotifyQuietScope quiet(m_context.NotifyReady());
        list.DeleteString(selected);
        const int32_t count = static_cast<int32_t>(list.GetCount());
        list.SetCurSel(selected < count ? selected : count - 1);
    }
    m_nUse = -1;
    ShowUse(list.GetCurSel());
    m_context.MarkModified();
}

void Cpage_item::OnUseUp()
{
    if (m_nUse <= 0)
        return;
    const int32_t other = m_nUse - 1;
    // The script is saved first: references to the two entries follow them.
    if (!SaveUseScript())
        return;
    ExchangeUseEntries(m_work, static_cast<uint32_t>(m_nUse), static_cast<uint32_t>(other));
    SetComboLine(IDC_USE_LIST, m_nUse, UseName(*m_work.uses.GetAt(static_cast<uint32_t>(m_nUse))));
    SetComboLine(IDC_USE_LIST, other, UseName(*m_work.uses.GetAt(static_cast<uint32_t>(other))));
    Control(IDC_USE_LIST).SetCurSel(other);
    m_nUse = other;
    ShowUseScript(m_nUseFunc);
    m_context.MarkModified();
}

void Cpage_item::OnUseDown()
{
    if (m_nUse < 0 || static_cast<uint32_t>(m_nUse) + 1 >= m_work.uses.GetCount())
        return;
    const int32_t other = m_nUse + 1;
    if (!SaveUseScript())
        return;
    ExchangeUseEntries(m_work, static_cast<uint32_t>(m_nUse), static_cast<uint32_t>(other));
    SetComboLine(IDC_USE_LIST, m_nUse, UseName(*m_work.uses.GetAt(static_cast<uint32_t>(m_nUse))));
    SetComboLine(IDC_USE_LIST, other, UseName(*m_work.uses.GetAt(static_cast<uint32_t>(other))));
    Control(IDC_USE_LIST).SetCurSel(other);
    m_nUse = other;
    ShowUseScript(m_nUseFunc);
    m_context.MarkModified();
}

void Cpage_item::OnUseEx()
{
    Cusestruct* use = ShownUse();
    if (!use)
        return;
    if (m_context.AppliedRule().useRules.GetCount() == 0) {
        m_context.ShowMessage(SJ("@@USEに対する拡張項目は登録されていません。"));
        return;
    }
    const CModalWaitScope wait(m_context.ModalWait());
    CItemExDlg dialog(*use, m_context, m_nUseExId);
    const bool stored = dialog.DoModal(this) == kIdOk;
    m_nUseExId = dialog.LastIndex();
    if (stored)
        m_context.MarkModified();
}

// ---- script texts ----------------------------------------------------------

CUseScriptControls Cpage_item::ReadUseScriptControls() const
{
    CUseScriptControls controls;
    Control(IDC_USE_FUNC_REF).GetText(controls.reference);
    Control(IDC_USE_FUNC_EDIT).GetText(controls.body);
    return controls;
}

bool Cpage_item::SaveUseScript()
{
    Cusestruct* use = ShownUse();
    const char* key = UseScriptKey(m_nUseFunc, IsBeta());
    CMerxString* value = use && key ? use->fields.Lookup(key) : nullptr;
    if (!value)
        return true;
    if (!AcceptTypedText())
        return false;
    const CUseScriptControls now = ReadUseScriptControls();
    CStr_base<1024> errors;
    if (!ReadBackUseScript(m_shownScript, now, key, EscapeMode(kPageEscapeModeKey), m_context.Question(), *value, errors)) {
        m_context.ShowMessage(errors.GetBuffer());
        m_context.ApplyError().Append(errors);
        return false;
    }
    m_shownScript = now;
    return true;
}

void Cpage_item::ShowUseScript(int32_t index)
{
    const CNotifyQuietScope quiet(m_context.NotifyReady());
    const Cusestruct* use = ShownUse();
    const char* key = UseScriptKey(index, IsBeta());
    m_nUseFunc = use && key ? index : -1;
    CUseScriptControls controls;
    CStrArray_base<64> choices;
    if (m_nUseFunc >= 0) {
        const CMerxString* value = use->GetField(key);
        ShowScriptValue(value ? value->GetBuffer() : "", controls);
        UseScriptChoices(m_work, key, m_declaredSubs, choices);
    }
    CUiControl reference = Control(IDC_USE_FUNC_REF);
    reference.ResetContent();
    for (const CStr_base<64>& choice : choices)
        reference.AddString(choice.GetBuffer());
    reference.SetText(controls.reference.GetBuffer());
    Control(IDC_USE_FUNC_EDIT).SetText(controls.body.GetBuffer());
    m_shownScript = ReadUseScriptControls();
}

void Cpage_item::OnSelChangeUseFunc()
{
    if (!ShownUse())
        return;
    const CModalWaitScope wait(m_context.ModalWait());
    if (!SaveUseScript()) {
        Control(IDC_USE_FUNC_COMBO).SetCurSel(m_nUseFunc);
        return;
    }
    ShowUseScript(Control(IDC_USE_FUNC_COMBO).GetCurSel());
}

void Cpage_item::OnUseFuncWindow()
{
    const char* key = UseScriptKey(m_nUseFunc, IsBeta());
    if (!ShownUse() || !key || !AcceptTypedText(IDC_USE_FUNC_EDIT))
        return;
    CEditDlg dialog(m_context.Settings(), m_context, m_context.EditFont());
    CStr_base<64> title;
    title.Format(SJ("%s(@@USE) - 別ウィンドウ編集"), key);
    dialog.SetTitle(title.GetBuffer());
    CStr_base<16384> text;
    Control(IDC_USE_FUNC_EDIT).GetText(text);
    dialog.SetText(text.GetBuffer());
    const CModalWaitScope wait(m_context.ModalWait());
    if (dialog.DoModal(this) == kIdOk)
        Control(IDC_USE_FUNC_EDIT).SetText(dialog.GetText().GetBuffer());
}
