#include "pages/page_event.h"

#include <vector>

#include "document/backslash_completion.h"
#include "document/data_writer.h"
#include "document/declared_subs.h"
#include "document/element_reader.h"
#include "editing/event_groups.h"
#include "editing/event_list_edit.h"
#include "editing/step_names.h"
#include "editing/line_ends.h"
#include "foundation/sjis_literal.h"
#include "pages/page_event_template.h"
#include "settings/setting_keys.h"
#include "ui/edit_tab_key.h"
#include "ui/ui_services.h"

using namespace event_page;

namespace {

constexpr char kParamRefused[] = "[param]：構文が認識できません。\n";

// Changes of these controls are edits of the project.
bool IsEditedByTyping(int32_t id, UiEvent event)
{
    if (event == UiEvent::kChanged)
        return true;
    return event == UiEvent::kSelChanged && (id == IDC_GROUP || id == IDC_FUNC_REF || id == IDC_PARAM_ITEM);
}

} // namespace

Cpage_event::Cpage_event(CPageContext& context)
    : CElementListPage(EventPageTemplate(), context, IDC_FILTER, noweventID, m_work, kList)
{
    Bind(IDC_EVENT_LIST, UiEvent::kSelChanged, &Cpage_event::OnSelChangeList1);
    Bind(IDC_FILTER, UiEvent::kChanged, &Cpage_event::OnFilterChanged);
    Bind(IDC_ADD, UiEvent::kClicked, &Cpage_event::OnAdd);
    Bind(IDC_COPY, UiEvent::kClicked, &Cpage_event::OnCopy);
    Bind(IDC_DELETE, UiEvent::kClicked, &Cpage_event::OnDelete);
    Bind(IDC_UP, UiEvent::kClicked, &Cpage_event::OnUp);
    Bind(IDC_DOWN, UiEvent::kClicked, &Cpage_event::OnDown);
    Bind(IDC_REVERT, UiEvent::kClicked, &Cpage_event::OnRevert);
    Bind(IDC_FUNC_COMBO, UiEvent::kSelChanged, &Cpage_event::OnSelChangeFunc);
    Bind(IDC_PARAM_LIST, UiEvent::kSelChanged, &Cpage_event::OnSelChangeParam);
    Bind(IDC_PARAM_ADD, UiEvent::kClicked, &Cpage_event::OnParamAdd);
    Bind(IDC_PARAM_COPY, UiEvent::kClicked, &Cpage_event::OnParamCopy);
    Bind(IDC_PARAM_DELETE, UiEvent::kClicked, &Cpage_event::OnParamDelete);
    Bind(IDC_DIRECT_EDIT, UiEvent::kClicked, &Cpage_event::OnDirectEdit);
}

void Cpage_event::LoadSelection(const CProjectInfo& info) { m_list.LoadSelection(info.eventId); }

void Cpage_event::StoreSelection(CProjectInfo& info) const { info.eventId = m_list.Selection(); }

int32_t Cpage_event::EscapeMode(const char* key) const { return ReadSettingNumber(m_context.Settings(), key, 0); }

bool Cpage_event::OnInitDialog()
{
    const CNotifyQuietScope quiet(m_context.NotifyReady());
    const CMerxDocument& doc = m_context.Document();

    Control(IDC_PARAM_ITEM).SetStrings(doc.itemdata.GetCount(),
                                       [&](uint32_t index) { return doc.itemdata[index].FieldText("name"); });
    for (const char* key : g_aszEventScriptKeys)
        Control(IDC_FUNC_COMBO).AddString(key);
    Control(IDC_FUNC_COMBO).SetCurSel(0);
    CStrArray_base<64> declared, choices;
    const Csinglestruct* functions = doc.singledata.Lookup("@@FUNCEVENT");
    FindDeclaredSubs(functions ? functions->text.GetBuffer() : "", declared);
    EventScriptChoices(declared, choices);
    for (const CStr_base<64>& choice : choices)
        Control(IDC_FUNC_REF).AddString(choice.GetBuffer());
    Control(IDC_FUNC_EDIT).SetTabStops(12);
    Control(IDC_FUNC_EDIT).SetFont(m_context.FunctionFont());
    EnableEventControls(false);

    // Entering the page shows the stored event; nothing is applied. The
    // filter box starts empty.
    m_work.Clear();
    m_nFunc = m_nParam = -1;
    m_list.ShowStored();
    return true;
}

void Cpage_event::FillGroups()
{
    const CNotifyQuietScope quiet(m_context.NotifyReady());
    CUiControl combo = Control(IDC_GROUP);
    CStr_base<64> text;
    combo.GetText(text);
    CStrArray_base<64> groups;
    CollectEventGroups(m_context.Document(), groups);
    combo.ResetContent();
    for (const CStr_base<64>& group : groups)
        combo.AddString(group.GetBuffer());
    combo.SetText(text.GetBuffer());
}

void Cpage_event::EnableEventControls(bool shown)
{
    for (uint32_t i = 0; i < kEventFieldCount; ++i)
        Control(IDC_FIELD_FIRST + static_cast<int32_t>(i)).Enable(shown);
    const int32_t others[] = {IDC_FUNC_COMBO, IDC_FUNC_REF,    IDC_FUNC_EDIT,   IDC_PARAM_ADD, IDC_PARAM_COPY,
                              IDC_PARAM_DELETE, IDC_DIRECT_EDIT, IDC_REVERT, kIdOk};
    for (int32_t id : others)
        Control(id).Enable(shown);
    const bool lines = shown && m_work.params.GetCount() > 0;
    for (int32_t id : {IDC_PARAM_LIST, IDC_PARAM_ITEM, IDC_PARAM_VALUE})
        Control(id).Enable(lines);
}

CEventFieldControls Cpage_event::ReadFieldControls() const
{
    CEventFieldControls controls;
    for (uint32_t i = 0; i < kEventFieldCount; ++i)
        Control(IDC_FIELD_FIRST + static_cast<int32_t>(i)).GetText(controls.fields[i]);
    return controls;
}

void Cpage_event::ShowEvent()
{
    const CNotifyQuietScope quiet(m_context.NotifyReady());
    m_nFunc = m_nParam = -1;
    CEventFieldControls controls;
    ShowEventFields(m_work, controls);
    for (uint32_t i = 0; i < kEventFieldCount; ++i)
        Control(IDC_FIELD_FIRST + static_cast<int32_t>(i)).SetText(controls.fields[i].GetBuffer());
    m_shown = ReadFieldControls();

    CUiControl params = Control(IDC_PARAM_LIST);
    params.ResetContent();
    for (const CStr_base<64>& line : m_work.params)
        params.AddString(line.GetBuffer());
    params.SetCurSel(params.GetCount() > 0 ? 0 : -1);
    EnableEventControls(true);
    ShowParam(params.GetCurSel());
    Control(IDC_FUNC_COMBO).SetCurSel(0);
    ShowScript(0);
}

// ---- params ----------------------------------------------------------------

CParamControls Cpage_event::ReadParamControls() const
{
    CParamControls controls;
    Control(IDC_PARAM_ITEM).GetText(controls.item);
    Control(IDC_PARAM_VALUE).GetText(controls.value);
    return controls;
}

void Cpage_event::SaveParam()
{
    if (m_nParam < 0 || static_cast<uint32_t>(m_nParam) >= m_work.params.GetCount())
        return;
    const CParamControls now = ReadParamControls();
    CStr_base<64>& line = m_work.params[static_cast<uint32_t>(m_nParam)];
    ReadBackParamLine(m_shownParam, now, line);
    m_shownParam = now;
    const CNotifyQuietScope quiet(m_context.NotifyReady());
    CUiControl combo = Control(IDC_PARAM_LIST);
    const int32_t selected = combo.GetCurSel();
    combo.DeleteString(m_nParam);
    combo.InsertString(m_nParam, line.GetBuffer());
    combo.SetCurSel(selected);
}

void Cpage_event::ShowParam(int32_t index)
{
    const CNotifyQuietScope quiet(m_context.NotifyReady());
    m_nParam = -1;
    if (index < 0 || static_cast<uint32_t>(index) >= m_work.params.GetCount())
        return;
    CParamControls controls;
    // A line that cannot be shown keeps its text and can only be deleted;
    // apply refuses it.
    const bool shown = ShowParamLine(m_work.params[static_cast<uint32_t>(index)].GetBuffer(), controls);
    Control(IDC_PARAM_ITEM).SetText(controls.item.GetBuffer());
    Control(IDC_PARAM_VALUE).SetText(controls.value.GetBuffer());
    for (int32_t id : {IDC_PARAM_ITEM, IDC_PARAM_VALUE})
        Control(id).Enable(shown);
    if (!shown)
        return;
    m_shownParam = ReadParamControls();
    m_nParam = index;
}

void Cpage_event::OnSelChangeParam()
{
    if (noweventID == -1)
        return;
    const bool lines = m_work.params.GetCount() > 0;
    for (int32_t id : {IDC_PARAM_LIST, IDC_PARAM_ITEM, IDC_PARAM_VALUE})
        Control(id).Enable(lines);
    if (!lines)
        return;
    if (!AcceptTypedText()) {
        Control(IDC_PARAM_LIST).SetCurSel(m_nParam);
        return;
    }
    SaveParam();
    ShowParam(Control(IDC_PARAM_LIST).GetCurSel());
}

void Cpage_event::OnParamAdd()
{
    if (noweventID == -1)
        return;
    m_work.params.Add()->Assign("\t");
    m_work.paramcomments.SetCount(m_work.params.GetCount() - 1);
    m_work.paramcomments.Add();
    {
        const CNotifyQuietScope quiet(m_context.NotifyReady());
        CUiControl combo = Control(IDC_PARAM_LIST);
        combo.AddString("");
        combo.SetCurSel(static_cast<int32_t>(combo.GetCount()) - 1);
    }
    OnSelChangeParam();
    m_context.MarkModified();
}

void Cpage_event::OnParamCopy()
{
    if (noweventID == -1 || m_nParam < 0 || !AcceptTypedText())
        return;
    const CParamControls now = ReadParamControls();
    CStr_base<64> line;
    line.Format("%s\t%s", now.item.GetBuffer(), now.value.GetBuffer());
    m_work.paramcomments.SetCount(m_work.params.GetCount());
    const CStr_base<64> comment = m_work.paramcomments[static_cast<uint32_t>(m_nParam)];
    m_work.params.Add()->Assign(line);
    m_work.paramcomments.Add()->Assign(comment);
    {
        const CNotifyQuietScope quiet(m_context.NotifyReady());
        CUiControl combo = Control(IDC_PARAM_LIST);
        combo.AddString(line.GetBuffer());
        combo.SetCurSel(static_cast<int32_t>(combo.GetCount()) - 1);
    }
    OnSelChangeParam();
    m_context.MarkModified();
}

void Cpage_event::OnParamDelete()
{
    // The selected line, also one that could not be shown.
    const int32_t index = Control(IDC_PARAM_LIST).GetCurSel();
    if (noweventID == -1 || index < 0 || static_cast<uint32_t>(index) >= m_work.params.GetCount())
        return;
    m_work.paramcomments.SetCount(m_work.params.GetCount());
    m_work.params.RemoveAt(static_cast<uint32_t>(index));
    m_work.paramcomments.RemoveAt(static_cast<uint32_t>(index));
    {
        const CNotifyQuietScope quiet(m_context.NotifyReady());
        CUiControl combo = Control(IDC_PARAM_LIST);
        combo.DeleteString(index);
        const int32_t count = static_cast<int32_t>(combo.GetCount());
        combo.SetCurSel(index < count ? index : count - 1);
        if (count == 0) {
            Control(IDC_PARAM_ITEM).SetText("");
            Control(IDC_PARAM_VALUE).SetText("");
        }
    }
    m_nParam = -1;
    OnSelChangeParam();
    m_context.MarkModified();
}

// ---- script texts ----------------------------------------------------------

CEventScriptControls Cpage_event::ReadScriptControls() const
{
    CEventScriptControls controls;
    Control(IDC_FUNC_REF).GetText(controls.reference);
    Control(IDC_FUNC_EDIT).GetText(controls.body);
    return controls;
}

CApplyResult Cpage_event::SaveScript()
{
    if (m_nFunc < 0)
        return {};
    const char* key = g_aszEventScriptKeys[m_nFunc];
    CMerxString* value = m_work.fields.Lookup(key);
    if (!value)
        return {};
    const CEventScriptControls now = ReadScriptControls();
    CStr_base<1024> errors;
    if (!CheckTypedText(errors) ||
        !ReadBackEventScript(m_shownScript, now, key, EscapeMode(kPageEscapeModeKey), m_context.Question(), *value,
                             errors))
        return CApplyResult::Refusal(errors);
    m_shownScript = now;
    return {};
}

void Cpage_event::ShowScript(int32_t index)
{
    const CNotifyQuietScope quiet(m_context.NotifyReady());
    m_nFunc = index >= 0 && index < 3 ? index : -1;
    CEventScriptControls controls;
    if (m_nFunc >= 0) {
        const CMerxString* value = m_work.GetField(g_aszEventScriptKeys[m_nFunc]);
        ShowEventScript(value ? value->GetBuffer() : "", controls);
    }
    Control(IDC_FUNC_REF).SetText(controls.reference.GetBuffer());
    Control(IDC_FUNC_EDIT).SetText(controls.body.GetBuffer());
    m_shownScript = ReadScriptControls();
}

void Cpage_event::OnSelChangeFunc()
{
    if (noweventID == -1)
        return;
    const CApplyResult saved = SaveScript();
    if (saved.IsRefused()) {
        m_context.ShowMessage(saved.Messages().GetBuffer());
        Control(IDC_FUNC_COMBO).SetCurSel(m_nFunc);
        return;
    }
    ShowScript(Control(IDC_FUNC_COMBO).GetCurSel());
}

// ---- apply and select ------------------------------------------------------

CApplyResult Cpage_event::SaveShownEvent()
{
    CApplyResult typed = AcceptTypedEdits();
    if (typed.IsRefused())
        return typed;
    const CEventFieldControls now = ReadFieldControls();
    CStr_base<1024> errors;
    // Read into a copy, as on the item page: a refused read-back leaves the
    // working copy as the controls were shown from.
    Ceventstruct read(m_work);
    if (!ReadBackEventFields(m_shown, now, read, errors))
        return Refuse(errors);
    m_work = read;
    m_shown = now;
    // The shown line is saved; a line that could not be shown is refused.
    CApplyResult saved;
    if (m_nParam >= 0)
        SaveParam();
    for (const CStr_base<64>& line : m_work.params) {
        CParamControls unused;
        if (!ShowParamLine(line.GetBuffer(), unused)) {
            saved = CApplyResult::Refusal(CStr_base<1024>(SJ(kParamRefused)));
            break;
        }
    }
    saved.Add(SaveScript());
    if (saved.IsRefused())
        return Refuse(saved.Messages());
    return {};
}

CApplyResult Cpage_event::Apply()
{
    if (noweventID == -1)
        return {};
    const CModalWaitScope wait(m_context.ModalWait());
    const CUiWaitCursor cursor;
    CApplyResult result = SaveShownEvent();
    if (result.IsRefused())
        return result;
    CMerxDocument& doc = m_context.Document();
    Ceventstruct& stored = *doc.eventdata.GetAt(static_cast<uint32_t>(noweventID));
    const CReopenGuard guard = GuardApply(stored, m_work, result);
    if (guard == CReopenGuard::kRefused)
        return result;
    auto before = std::make_unique<CElementSnapshot>(stored);
    stored = m_work;
    m_context.Record(ContentChanged(doc, stored, std::move(before)), ElementStepName(stored, SJ("適用")).GetBuffer());
    // The page shows what the file will give back.
    if (guard == CReopenGuard::kNormalised)
        ShowEvent();
    m_list.RelabelShown();
    return result;
}

void Cpage_event::OnDestroy()
{
    noweventID = -1;
    m_nFunc = m_nParam = -1;
}

void Cpage_event::HideElement()
{
    m_nFunc = m_nParam = -1;
    EnableEventControls(false);
}

// ---- list operations -------------------------------------------------------

bool Cpage_event::OnCommand(int32_t id, UiEvent event)
{
    if (m_context.NotifyReady() && IsEditedByTyping(id, event) && id != IDC_EVENT_LIST && id != IDC_FILTER)
        m_context.MarkModified();
    return CMainPage::OnCommand(id, event);
}

bool Cpage_event::PreTranslateMessage(const CUiMessage& message)
{
    if (InsertTabForKey(*this, message, IDC_FUNC_EDIT)) {
        m_context.MarkModified();
        return true;
    }
    return CMainPage::PreTranslateMessage(message);
}

CStr_base<64> Cpage_event::TypedFieldName(int32_t id) const
{
    CStr_base<64> name;
    if ((id == IDC_FUNC_REF || id == IDC_FUNC_EDIT) && m_nFunc >= 0)
        name.Format("@@EVENT::%s", g_aszEventScriptKeys[m_nFunc]);
    else
        name = CMainPage::TypedFieldName(id);
    return name;
}
