#include "pages/page_item.h"

#include "app/edit_dlg.h"
#include "document/backslash_completion.h"
#include "document/reopen_check.h"
#include "editing/item_rename.h"
#include "editing/step_names.h"
#include "foundation/sjis_literal.h"
#include "pages/item_ex_dlg.h"
#include "pages/page_item_template.h"
#include "settings/setting_keys.h"
#include "ui/edit_tab_key.h"
#include "ui/ui_services.h"

using namespace item_page;

namespace {

// The item's edits that show one field each, and their field.
const CItemEditControl kPlainEdits[] = {
    {IDC_NO, "no"},       {IDC_CODE, "code"},   {IDC_NAME, "name"},   {IDC_INFO, "info"},   {IDC_PRICE, "price"},
    {IDC_POP, "pop"},     {IDC_SCALE, "scale"}, {IDC_PLUS, "plus"},   {IDC_COST, "cost"},   {IDC_POINT, "point"},
};

struct EditMember {
    int32_t id;
    CStr_base<64> CItemFieldControls::*member;
};

const EditMember kEditMembers[] = {
    {IDC_NO, &CItemFieldControls::no},
    {IDC_TYPE, &CItemFieldControls::type},
    {IDC_CODE, &CItemFieldControls::code},
    {IDC_NAME, &CItemFieldControls::name},
    {IDC_INFO, &CItemFieldControls::info},
    {IDC_PRICE, &CItemFieldControls::price},
    {IDC_LIMIT_STOCK, &CItemFieldControls::limitStock},
    {IDC_LIMIT_MARKET, &CItemFieldControls::limitMarket},
    {IDC_POP, &CItemFieldControls::pop},
    {IDC_SCALE, &CItemFieldControls::scale},
    {IDC_PLUS, &CItemFieldControls::plus},
    {IDC_BASE_COUNT, &CItemFieldControls::baseCount},
    {IDC_BASE_HALF, &CItemFieldControls::baseHalf},
    {IDC_COST, &CItemFieldControls::cost},
    {IDC_POINT, &CItemFieldControls::point},
};

// Changes of these controls are edits of the project: typing, choosing in
// the combos that give a field its text, and the check boxes.
bool IsEditedByTyping(int32_t id, UiEvent event)
{
    if (event == UiEvent::kChanged)
        return true;
    if (event == UiEvent::kClicked)
        return (id >= IDC_FLAG_FIRST && id < IDC_FLAG_FIRST + static_cast<int32_t>(kItemFlagCount)) ||
               id == IDC_ARG_TARGET || id == IDC_ARG_NOCOUNT || id == IDC_ARG_MESSAGE || id == IDC_ARG_SELECT;
    return event == UiEvent::kSelChanged && (id == IDC_TYPE || id == IDC_JOB_NAME || id == IDC_USE_FUNC_REF ||
                                             id == IDC_UNG_ITEM || id == IDC_ARG_SELECT_MODE || id == IDC_UNG_KIND);
}

} // namespace

Cpage_item::Cpage_item(CPageContext& context)
    : CElementListPage(ItemPageTemplate(), context, IDC_FILTER, nowitemID, m_work, kList)
{
    Bind(IDC_ITEM_LIST, UiEvent::kSelChanged, &Cpage_item::OnSelChangeList1);
    Bind(IDC_FILTER, UiEvent::kChanged, &Cpage_item::OnFilterChanged);
    Bind(IDC_ADD, UiEvent::kClicked, &Cpage_item::OnAdd);
    Bind(IDC_COPY, UiEvent::kClicked, &Cpage_item::OnCopy);
    Bind(IDC_DELETE, UiEvent::kClicked, &Cpage_item::OnDelete);
    Bind(IDC_UP, UiEvent::kClicked, &Cpage_item::OnUp);
    Bind(IDC_DOWN, UiEvent::kClicked, &Cpage_item::OnDown);
    Bind(IDC_SORT, UiEvent::kClicked, &Cpage_item::OnSort);
    Bind(IDC_REVERT, UiEvent::kClicked, &Cpage_item::OnRevert);
    Bind(IDC_FUNC_COMBO, UiEvent::kSelChanged, &Cpage_item::OnSelChangeFunc);
    Bind(IDC_FUNC_WINDOW, UiEvent::kClicked, &Cpage_item::OnFuncWindow);
    Bind(IDC_DIRECT_EDIT, UiEvent::kClicked, &Cpage_item::OnDirectEdit);
    Bind(IDC_ICON_EDIT, UiEvent::kClicked, &Cpage_item::OnIconEdit);
    Bind(IDC_ITEM_EX, UiEvent::kClicked, &Cpage_item::OnItemEx);

    Bind(IDC_USE_LIST, UiEvent::kSelChanged, &Cpage_item::OnSelChangeUseList);
    Bind(IDC_USE_ADD, UiEvent::kClicked, &Cpage_item::OnUseAdd);
    Bind(IDC_USE_COPY, UiEvent::kClicked, &Cpage_item::OnUseCopy);
    Bind(IDC_USE_DELETE, UiEvent::kClicked, &Cpage_item::OnUseDelete);
    Bind(IDC_USE_UP, UiEvent::kClicked, &Cpage_item::OnUseUp);
    Bind(IDC_USE_DOWN, UiEvent::kClicked, &Cpage_item::OnUseDown);
    Bind(IDC_USE_FUNC_COMBO, UiEvent::kSelChanged, &Cpage_item::OnSelChangeUseFunc);
    Bind(IDC_USE_FUNC_WINDOW, UiEvent::kClicked, &Cpage_item::OnUseFuncWindow);
    Bind(IDC_USE_EX, UiEvent::kClicked, &Cpage_item::OnUseEx);
    Bind(IDC_JOB_LIST, UiEvent::kSelChanged, &Cpage_item::OnSelChangeJob);
    Bind(IDC_JOB_ADD, UiEvent::kClicked, &Cpage_item::OnJobAdd);
    Bind(IDC_JOB_DELETE, UiEvent::kClicked, &Cpage_item::OnJobDelete);
    Bind(IDC_JOB_HALVE, UiEvent::kClicked, &Cpage_item::OnJobHalve);
    Bind(IDC_ARGSEL_LIST, UiEvent::kSelChanged, &Cpage_item::OnSelChangeArgsel);
    Bind(IDC_ARGSEL_ADD, UiEvent::kClicked, &Cpage_item::OnArgselAdd);
    Bind(IDC_ARGSEL_DELETE, UiEvent::kClicked, &Cpage_item::OnArgselDelete);
    Bind(IDC_ARGSEL_UP, UiEvent::kClicked, &Cpage_item::OnArgselUp);
    Bind(IDC_ARGSEL_DOWN, UiEvent::kClicked, &Cpage_item::OnArgselDown);
    Bind(IDC_UNG_LIST, UiEvent::kSelChanged, &Cpage_item::OnSelChangeUng);
    Bind(IDC_UNG_ADD, UiEvent::kClicked, &Cpage_item::OnUngAdd);
    Bind(IDC_UNG_DELETE, UiEvent::kClicked, &Cpage_item::OnUngDelete);
}

void Cpage_item::LoadSelection(const CProjectInfo& info)
{
    m_list.LoadSelection(info.itemId);
    m_nItemExId = info.itemExId;
    m_useBox.SetLastExIndex(info.useExId);
}

void Cpage_item::StoreSelection(CProjectInfo& info) const
{
    info.itemId = m_list.Selection();
    info.itemExId = m_nItemExId;
    info.useExId = m_useBox.LastExIndex();
}

bool Cpage_item::IsBeta() const { return m_context.Document().IsBeta(); }

int32_t Cpage_item::EscapeMode(const char* key) const { return ReadSettingNumber(m_context.Settings(), key, 0); }

bool Cpage_item::OnInitDialog()
{
    const CNotifyQuietScope quiet(m_context.NotifyReady());
    const CMerxDocument& doc = m_context.Document();
    const bool beta = IsBeta();

    CUiControl func = Control(IDC_FUNC_COMBO);
    for (const char* key : kFuncKeys)
        if (beta || func.GetCount() == 0)
            func.AddString(key);
    for (const TypeData& type : doc.definedata.types)
        Control(IDC_TYPE).AddString(type.name.GetBuffer());
    Control(IDC_FUNC_EDIT).SetTabStops(12);
    Control(IDC_FUNC_EDIT).SetFont(m_context.FunctionFont());
    func.SetCurSel(0);
    m_useBox.OnInitDialog();
    EnableItemControls(false);

    // The filter box starts empty on each visit of the page.
    m_work.Clear();
    m_nFunc = -1;
    m_list.ShowStored();
    m_bAskRename = true;
    return true;
}

void Cpage_item::EnableItemControls(bool shown)
{
    for (const EditMember& edit : kEditMembers)
        Control(edit.id).Enable(shown);
    const int32_t others[] = {IDC_FUNC_COMBO, IDC_FUNC_EDIT,   IDC_FUNC_WINDOW, IDC_ITEM_EX,
                              IDC_ICON_EDIT,  IDC_DIRECT_EDIT, IDC_REVERT,      kIdOk};
    for (int32_t id : others)
        Control(id).Enable(shown);
    for (uint32_t i = 0; i < kItemFlagCount; ++i)
        Control(IDC_FLAG_FIRST + static_cast<int32_t>(i)).Enable(shown && IsBeta());
    m_useBox.EnableControls();
}

CItemFieldControls Cpage_item::ReadControls() const
{
    CItemFieldControls controls;
    for (const EditMember& edit : kEditMembers)
        Control(edit.id).GetText(controls.*edit.member);
    for (uint32_t i = 0; i < kItemFlagCount; ++i)
        controls.flags[i] = Control(IDC_FLAG_FIRST + static_cast<int32_t>(i)).GetCheck();
    return controls;
}

void Cpage_item::ShowItem()
{
    const CNotifyQuietScope quiet(m_context.NotifyReady());
    // What the previous item showed means nothing for this one.
    m_nFunc = -1;
    m_strShownFunc.Release();

    CItemFieldControls controls = ReadControls();
    ShowItemFields(m_work, controls);
    for (const EditMember& edit : kEditMembers)
        Control(edit.id).SetText((controls.*edit.member).GetBuffer());
    for (uint32_t i = 0; i < kItemFlagCount; ++i)
        Control(IDC_FLAG_FIRST + static_cast<int32_t>(i)).SetCheck(controls.flags[i]);
    Control(IDC_FUNC_COMBO).SetCurSel(0);
    ShowFuncString(0);
    EnableItemControls(true);
    m_useBox.ShowList();
    // Compared with what the controls give back, not with what was put in,
    // so that a control that changes a text on its way in counts as unedited.
    m_shown = ReadControls();
}

void Cpage_item::ShowFuncString(int32_t index)
{
    const CNotifyQuietScope quiet(m_context.NotifyReady());
    m_nFunc = index;
    CUiControl edit = Control(IDC_FUNC_EDIT);
    edit.SetText(index >= 0 ? m_work.FieldText(kFuncKeys[index]) : "");
    edit.GetText(m_strShownFunc);
}

CApplyResult Cpage_item::SaveFuncString()
{
    if (m_nFunc < 0)
        return {};
    CStr_base<16384> text;
    Control(IDC_FUNC_EDIT).GetText(text);
    if (text == m_strShownFunc)
        return {};
    CApplyResult typed = AcceptTypedEdits();
    if (typed.IsRefused())
        return typed;
    // The item's scripts are always written as "_local_" blocks.
    CStr_base<1024> errors;
    if (!CheckScriptLines(kFuncKeys[m_nFunc], text.GetBuffer(), text.GetLength(), errors))
        return Refuse(errors);
    m_strShownFunc = text;
    CompleteBackslashes(text, EscapeMode(kPageEscapeModeKey), m_context.Question());
    m_work.SetField(kFuncKeys[m_nFunc], text.GetBuffer());
    return {};
}

void Cpage_item::OnSelChangeFunc()
{
    if (SaveFuncString().IsRefused()) {
        Control(IDC_FUNC_COMBO).SetCurSel(m_nFunc);
        return;
    }
    const int32_t index = Control(IDC_FUNC_COMBO).GetCurSel();
    ShowFuncString(index >= 0 && index < 3 ? index : -1);
}

void Cpage_item::OnFuncWindow()
{
    if (m_nFunc < 0 || !AcceptTypedText(IDC_FUNC_EDIT))
        return;
    CEditDlg dialog(m_context.Settings(), m_context, m_context.EditFont());
    CStr_base<64> title;
    title.Format(SJ("%s(@@ITEM) - 別ウィンドウ編集"), kFuncKeys[m_nFunc]);
    dialog.SetTitle(title.GetBuffer());
    CStr_base<16384> text;
    Control(IDC_FUNC_EDIT).GetText(text);
    dialog.SetText(text.GetBuffer());
    const CModalWaitScope wait(m_context.ModalWait());
    if (dialog.DoModal(this) == kIdOk)
        Control(IDC_FUNC_EDIT).SetText(dialog.GetText().GetBuffer());
}

CApplyResult Cpage_item::ReadBackFields()
{
    CApplyResult typed = AcceptTypedEdits();
    if (typed.IsRefused())
        return typed;
    const CItemFieldControls now = ReadControls();
    // Read into a copy: a refused read-back leaves the working copy as the
    // controls were shown from, so that a field typed back to its shown
    // text is that text again, not the refused one.
    Citemstruct read(m_work);
    if (!ReadBackItemFields(m_shown, now, read, m_strPageError))
        return Refuse(m_strPageError);
    m_work = read;
    m_shown = now;
    return {};
}

CApplyResult Cpage_item::SaveShownItem()
{
    CApplyResult saved = ReadBackFields();
    if (saved.IsRefused())
        return saved;
    saved.Add(SaveFuncString());
    saved.Add(m_useBox.SaveShown());
    return saved;
}

CApplyResult Cpage_item::Apply()
{
    if (nowitemID == -1)
        return {};
    const CModalWaitScope wait(m_context.ModalWait());
    const CUiWaitCursor cursor;
    CApplyResult result = SaveShownItem();
    if (result.IsRefused())
        return result;

    CMerxDocument& doc = m_context.Document();
    Citemstruct& stored = *doc.itemdata.GetAt(nowitemID);
    const CReopenGuard guard = GuardApply(stored, m_work, result);
    if (guard == CReopenGuard::kRefused)
        return result;
    const CStr_base<64> oldName(stored.FieldText("name"));
    const CStr_base<64> newName(m_work.FieldText("name"));
    // The item and what its rename changed are one step.
    CChangeRecorder changes;
    changes.Touch(doc, stored);
    bool storedByTracking = false;
    if (!(oldName == newName) && m_bAskRename) {
        // When another item holds either name, following it would merge the
        // two names: the user may only rename the item alone.
        const CStr_base<1024> merge =
            RenameMergeMessage(doc, static_cast<uint32_t>(nowitemID), oldName.GetBuffer(), newName.GetBuffer());
        const UiAnswer answer =
            merge.IsEmpty()
                ? m_context.Ask(SJ("アイテム名が変更されました。\nこのアイテム名を使用している項目を追跡して更新しますか？"),
                                UiButtons::kYesNoCancel)
                : m_context.Ask(merge.GetBuffer(), UiButtons::kOkCancel);
        if (answer != UiAnswer::kYes && answer != UiAnswer::kNo && answer != UiAnswer::kOk)
            return CApplyResult::Cancel();
        if (answer == UiAnswer::kYes) {
            stored = m_work;
            const CRenameTracking tracking = TrackItemRename(doc, oldName.GetBuffer(), newName.GetBuffer(), &changes);
            const CStr_base<1024> left = RenameLeftMessage(tracking);
            if (!left.IsEmpty())
                m_context.ShowMessage(left.GetBuffer());
            // The item itself may name itself: show what the tracking made
            // of it, so that the next apply does not undo it.
            m_work = stored;
            ShowItem();
            storedByTracking = true;
        }
    }
    if (!storedByTracking) {
        stored = m_work;
        // The page shows what the file will give back.
        if (guard == CReopenGuard::kNormalised)
            ShowItem();
    }
    m_context.Record(changes.Finish(doc), ElementStepName(stored, SJ("適用")).GetBuffer());
    // The line takes the new name; the selection stays where the user put
    // it (an apply before a switch).
    m_list.RelabelShown();
    m_bAskRename = true;
    return result;
}

void Cpage_item::OnDestroy()
{
    nowitemID = -1;
    m_nFunc = -1;
    m_useBox.OnDestroy();
}

void Cpage_item::HideElement()
{
    m_nFunc = -1;
    EnableItemControls(false);
}

void Cpage_item::OnItemEx()
{
    if (nowitemID == -1)
        return;
    if (m_context.AppliedRule().itemRules.GetCount() == 0) {
        m_context.ShowMessage(SJ("@@ITEMに対する拡張項目は登録されていません。"));
        return;
    }
    // The dialog edits copies and writes back into the working copy only on
    // OK; the extension fields have no controls on the page.
    const CModalWaitScope wait(m_context.ModalWait());
    CItemExDlg dialog(m_work, m_context, m_nItemExId);
    const bool stored = dialog.DoModal(this) == kIdOk;
    m_nItemExId = dialog.LastIndex();
    if (stored)
        m_context.MarkModified();
}

bool Cpage_item::OnCommand(int32_t id, UiEvent event)
{
    if (m_context.NotifyReady() && IsEditedByTyping(id, event) && id != IDC_ITEM_LIST && id != IDC_FILTER)
        m_context.MarkModified();
    return CMainPage::OnCommand(id, event);
}

bool Cpage_item::PreTranslateMessage(const CUiMessage& message)
{
    if (InsertTabForKey(*this, message, IDC_FUNC_EDIT) || InsertTabForKey(*this, message, IDC_USE_FUNC_EDIT)) {
        m_context.MarkModified();
        return true;
    }
    return CMainPage::PreTranslateMessage(message);
}

CStr_base<64> Cpage_item::TypedFieldName(int32_t id) const
{
    const char* useKey = m_useBox.ScriptKey();
    CStr_base<64> name;
    if (id == IDC_FUNC_EDIT && m_nFunc >= 0)
        name.Format("@@ITEM::%s", kFuncKeys[m_nFunc]);
    else if ((id == IDC_USE_FUNC_REF || id == IDC_USE_FUNC_EDIT) && useKey)
        name.Format("@@USE::%s", useKey);
    else if (id == IDC_UNG_MESSAGE)
        name.Assign(SJ("@@USE::use/need/get::メッセージ"));
    else
        name = CMainPage::TypedFieldName(id);
    return name;
}
