#include "pages/use_box.h"

#include <cstring>

#include "app/edit_dlg.h"
#include "document/declared_subs.h"
#include "editing/use_list_edit.h"
#include "foundation/sjis_literal.h"
#include "pages/item_ex_dlg.h"
#include "pages/page_item_template.h"
#include "settings/setting_keys.h"

using namespace item_page;

namespace {

const char* UseName(const Cusestruct& use)
{
    const CMerxString* name = use.GetField("name");
    return name ? name->GetBuffer() : "";
}

// The field edit of the "argselect" heading among the plain fields.
int32_t ArgselectFieldId()
{
    for (uint32_t i = 0; i < kUseFieldCount; ++i)
        if (std::strcmp(g_aszUseFieldKeys[i], "argselect") == 0)
            return IDC_USE_FIELD_FIRST + static_cast<int32_t>(i);
    return -1;
}

} // namespace

CUseBox::CUseBox(CDialogBase& page, CPageContext& context, Citemstruct& work, const int32_t& shownItem)
    : m_page(page), m_context(context), m_work(work), m_nItem(shownItem), m_jobs(*this, JobGroup()),
      m_argselects(*this, ArgselectGroup()), m_ungs(*this, UngGroup())
{
}

void CUseBox::OnInitDialog()
{
    const CMerxDocument& doc = m_context.Document();
    CUiControl func = Control(IDC_USE_FUNC_COMBO);
    func.AddString("func");
    if (IsBeta())
        func.AddString("funci");
    func.AddString("funcb");
    for (const JobData& job : doc.definedata.jobs)
        Control(IDC_JOB_NAME).AddString(job.name.GetBuffer());
    for (const char* mode : {SJ("標準"), SJ("ラジオ"), SJ("リスト")})
        Control(IDC_ARG_SELECT_MODE).AddString(mode);
    for (const char* kind : {"use", "need", "get"})
        Control(IDC_UNG_KIND).AddString(kind);
    Control(IDC_USE_FUNC_EDIT).SetTabStops(12);
    Control(IDC_USE_FUNC_EDIT).SetFont(m_context.FunctionFont());
    for (int32_t id : {IDC_ARG_SELECT_MODE, IDC_USE_FUNC_COMBO, IDC_UNG_KIND})
        Control(id).SetCurSel(0);
    m_nUse = -1;
    const Csinglestruct* functions = doc.singledata.Lookup("@@FUNCITEM");
    FindDeclaredSubs(functions ? functions->text.GetBuffer() : "", m_declaredSubs);
    m_ungItemNames.RemoveAll();
}

Cusestruct* CUseBox::ShownUse() const
{
    if (m_nItem == -1 || m_nUse < 0 || static_cast<uint32_t>(m_nUse) >= m_work.uses.GetCount())
        return nullptr;
    return m_work.uses.GetAt(static_cast<uint32_t>(m_nUse));
}

CUseSubScope CUseBox::SubScope() const
{
    CUseSubScope scope{m_context.Document(), {}};
    Control(IDC_NAME).GetText(scope.itemName);
    return scope;
}

void CUseBox::EnableControls()
{
    const Cusestruct* use = ShownUse();
    const bool item = m_nItem != -1;
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
    const int32_t entryIds[] = {IDC_ARG_TARGET,     IDC_ARG_NOCOUNT,  IDC_ARG_MESSAGE,   IDC_ARG_MESSAGE_NUMBER,
                                IDC_USE_FUNC_COMBO, IDC_USE_FUNC_REF, IDC_USE_FUNC_EDIT, IDC_USE_FUNC_WINDOW,
                                IDC_USE_EX};
    for (int32_t id : entryIds)
        Control(id).Enable(entry);
    Control(IDC_ARG_SELECT).Enable(entry && beta);
    Control(IDC_ARG_SELECT_MODE).Enable(entry && beta);
    const Cusestruct* shown = entry ? use : nullptr;
    m_jobs.Enable(shown, beta);
    m_argselects.Enable(shown, beta);
    m_ungs.Enable(shown, beta);
}

void CUseBox::SetComboLine(int32_t comboId, int32_t index, const char* text)
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

// ---- use entries -----------------------------------------------------------

void CUseBox::ShowList()
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
    OnSelChangeList();
}

void CUseBox::OnSelChangeList()
{
    const CModalWaitScope wait(m_context.ModalWait());
    SaveShown();
    ShowUse(Control(IDC_USE_LIST).GetCurSel());
}

CUseFieldControls CUseBox::ReadFieldControls() const
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

CApplyResult CUseBox::AcceptTypedEdits(int32_t only) const
{
    CStr_base<1024> errors;
    if (m_page.CheckTypedText(errors, only))
        return {};
    return Refuse(errors);
}

CApplyResult CUseBox::Refuse(const CStr_base<1024>& errors) const
{
    m_context.ShowMessage(errors.GetBuffer());
    return CApplyResult::Refusal(errors);
}

CApplyResult CUseBox::SaveShown()
{
    Cusestruct* use = ShownUse();
    if (!use)
        return {};
    CApplyResult saved = AcceptTypedEdits();
    if (saved.IsRefused())
        return saved;
    const CUseFieldControls now = ReadFieldControls();
    CStr_base<1024> errors;
    if (ReadBackUseFields(m_shownFields, now, *use, errors)) {
        m_shownFields = now;
    } else {
        // The refused heading is refused again by the next save.
        const uint32_t heading = static_cast<uint32_t>(ArgselectFieldId() - IDC_USE_FIELD_FIRST);
        const CStr_base<64> shownHeading = m_shownFields.fields[heading];
        m_shownFields = now;
        m_shownFields.fields[heading] = shownHeading;
        saved = Refuse(errors);
    }
    SetComboLine(IDC_USE_LIST, m_nUse, UseName(*use));
    saved.Add(SaveScript());
    saved.Add(m_jobs.Save());
    saved.Add(m_argselects.Save());
    saved.Add(m_ungs.Save());
    return saved;
}

void CUseBox::ShowUse(int32_t index)
{
    m_nFunc = -1;
    m_nUse = m_nItem != -1 && index >= 0 && static_cast<uint32_t>(index) < m_work.uses.GetCount() ? index : -1;
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
    m_shownFields = ReadFieldControls();

    RefillUngItemNames();
    m_jobs.ShowList(use);
    m_argselects.ShowList(use);
    m_ungs.ShowList(use);
    Control(IDC_USE_FUNC_COMBO).SetCurSel(0);
    ShowScript(0);
    EnableControls();
}

void CUseBox::RefillUngItemNames()
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
    m_ungItemNames.RemoveAll();
    for (const Citemstruct& item : items) {
        const CMerxString* name = item.GetField("name");
        m_ungItemNames.Add()->Assign(name ? name->GetBuffer() : "");
    }
    // "このアイテム" first, then every item's name.
    Control(IDC_UNG_ITEM).SetStrings(items.GetCount() + 1, [&](uint32_t line) {
        return line == 0 ? SJ("このアイテム") : m_ungItemNames[line - 1].GetBuffer();
    });
}

void CUseBox::OnAdd()
{
    if (m_nItem == -1)
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
    OnSelChangeList();
    m_context.MarkModified();
}

void CUseBox::OnCopy()
{
    if (m_nUse < 0 || Control(IDC_USE_LIST).GetCurSel() < 0)
        return;
    const CModalWaitScope wait(m_context.ModalWait());
    OnSelChangeList();
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
    OnSelChangeList();
    m_context.MarkModified();
}

void CUseBox::OnDelete()
{
    CUiControl list = Control(IDC_USE_LIST);
    const int32_t selected = list.GetCurSel();
    if (m_nItem == -1 || selected < 0)
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

void CUseBox::ExchangeWith(int32_t other)
{
    if (m_nUse < 0 || other < 0 || static_cast<uint32_t>(other) >= m_work.uses.GetCount())
        return;
    // The script is saved first: references to the two entries follow them.
    if (SaveScript().IsRefused())
        return;
    ExchangeUseEntries(m_work, static_cast<uint32_t>(m_nUse), static_cast<uint32_t>(other));
    SetComboLine(IDC_USE_LIST, m_nUse, UseName(*m_work.uses.GetAt(static_cast<uint32_t>(m_nUse))));
    SetComboLine(IDC_USE_LIST, other, UseName(*m_work.uses.GetAt(static_cast<uint32_t>(other))));
    Control(IDC_USE_LIST).SetCurSel(other);
    m_nUse = other;
    ShowScript(m_nFunc);
    m_context.MarkModified();
}

void CUseBox::OnEx()
{
    Cusestruct* use = ShownUse();
    if (!use)
        return;
    if (m_context.AppliedRule().useRules.GetCount() == 0) {
        m_context.ShowMessage(SJ("@@USEに対する拡張項目は登録されていません。"));
        return;
    }
    const CModalWaitScope wait(m_context.ModalWait());
    CItemExDlg dialog(*use, m_context, m_nExId);
    const bool stored = dialog.DoModal(&m_page) == kIdOk;
    m_nExId = dialog.LastIndex();
    if (stored)
        m_context.MarkModified();
}

void CUseBox::OnJobHalve()
{
    if (!ShownUse() || m_jobs.Shown() < 0 || !m_page.AcceptTypedText(IDC_JOB_NAME))
        return;
    CStr_base<64> name;
    Control(IDC_JOB_NAME).GetText(name);
    Control(IDC_JOB_PARAM).SetText(HalvedTimeParam(m_context.Document(), name.GetBuffer()).GetBuffer());
}

// ---- script texts ----------------------------------------------------------

CUseScriptControls CUseBox::ReadScriptControls() const
{
    CUseScriptControls controls;
    Control(IDC_USE_FUNC_REF).GetText(controls.reference);
    Control(IDC_USE_FUNC_EDIT).GetText(controls.body);
    return controls;
}

CApplyResult CUseBox::SaveScript()
{
    Cusestruct* use = ShownUse();
    const char* key = ScriptKey();
    CMerxString* value = use && key ? use->fields.Lookup(key) : nullptr;
    if (!value)
        return {};
    CApplyResult typed = AcceptTypedEdits();
    if (typed.IsRefused())
        return typed;
    const CUseScriptControls now = ReadScriptControls();
    CStr_base<1024> errors;
    const int32_t escapeMode = ReadSettingNumber(m_context.Settings(), kPageEscapeModeKey, 0);
    if (!ReadBackUseScript(m_shownScript, now, key, escapeMode, m_context.Question(), *value, errors))
        return Refuse(errors);
    m_shownScript = now;
    return {};
}

void CUseBox::ShowScript(int32_t index)
{
    const CNotifyQuietScope quiet(m_context.NotifyReady());
    const Cusestruct* use = ShownUse();
    const char* key = UseScriptKey(index, IsBeta());
    m_nFunc = use && key ? index : -1;
    CUseScriptControls controls;
    CStrArray_base<64> choices;
    if (m_nFunc >= 0) {
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
    m_shownScript = ReadScriptControls();
}

void CUseBox::OnSelChangeFunc()
{
    if (!ShownUse())
        return;
    const CModalWaitScope wait(m_context.ModalWait());
    if (SaveScript().IsRefused()) {
        Control(IDC_USE_FUNC_COMBO).SetCurSel(m_nFunc);
        return;
    }
    ShowScript(Control(IDC_USE_FUNC_COMBO).GetCurSel());
}

void CUseBox::OnFuncWindow()
{
    const char* key = ScriptKey();
    if (!ShownUse() || !key || !m_page.AcceptTypedText(IDC_USE_FUNC_EDIT))
        return;
    CEditDlg dialog(m_context.Settings(), m_context, m_context.EditFont());
    CStr_base<64> title;
    title.Format(SJ("%s(@@USE) - 別ウィンドウ編集"), key);
    dialog.SetTitle(title.GetBuffer());
    CStr_base<16384> text;
    Control(IDC_USE_FUNC_EDIT).GetText(text);
    dialog.SetText(text.GetBuffer());
    const CModalWaitScope wait(m_context.ModalWait());
    if (dialog.DoModal(&m_page) == kIdOk)
        Control(IDC_USE_FUNC_EDIT).SetText(dialog.GetText().GetBuffer());
}
