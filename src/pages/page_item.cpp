#include "pages/page_item.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "app/edit_dlg.h"
#include "app/line_ends.h"
#include "document/backslash_completion.h"
#include "document/data_writer.h"
#include "document/declared_subs.h"
#include "document/element_reader.h"
#include "document/reopen_check.h"
#include "foundation/decimal_text.h"
#include "foundation/native_path.h"
#include "foundation/sjis_literal.h"
#include "pages/item_ex_dlg.h"
#include "pages/item_icon.h"
#include "pages/item_list_edit.h"
#include "pages/item_naming.h"
#include "pages/item_rename.h"
#include "pages/page_item_template.h"
#include "settings/setting_keys.h"
#include "tools/item_sort_dlg.h"
#include "ui/edit_tab_key.h"
#include "ui/ui_services.h"

using namespace item_page;

namespace {

const char* const kFuncKeys[] = {"funct", "funcs", "funcb"};

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

class CContextQuestion : public CYesNoQuestion {
public:
    explicit CContextQuestion(CPageContext& context) : m_context(context) {}
    bool AskYesNo(const char* text) override { return m_context.Ask(text, UiButtons::kYesNo) == UiAnswer::kYes; }

private:
    CPageContext& m_context;
};

const char* FieldText(const CMerxFieldElement& element, const char* key)
{
    const CMerxString* value = element.GetField(key);
    return value ? value->GetBuffer() : "";
}

bool IsFolder(const CStr_base<64>& path)
{
    std::error_code error;
    return std::filesystem::is_directory(NativePath(path.GetBuffer()), error);
}

} // namespace

Cpage_item::Cpage_item(CPageContext& context) : CMainPage(ItemPageTemplate(), context)
{
    Bind(IDC_ITEM_LIST, UiEvent::kSelChanged, &Cpage_item::OnSelChangeList1);
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
    m_nStoredItem = info.itemId;
    m_nItemExId = info.itemExId;
    m_nUseExId = info.useExId;
}

void Cpage_item::StoreSelection(CProjectInfo& info) const
{
    info.itemId = HasWindow() ? nowitemID : m_nStoredItem;
    info.itemExId = m_nItemExId;
    info.useExId = m_nUseExId;
}

int32_t Cpage_item::CurrentElement() const { return HasWindow() ? nowitemID : -1; }

void Cpage_item::SelectElement(int32_t index)
{
    if (!HasWindow()) {
        m_nStoredItem = index;
        return;
    }
    Control(IDC_ITEM_LIST).SetCurSel(index);
    OnSelChangeList1();
}

void Cpage_item::Reload()
{
    if (!HasWindow())
        return;
    const int32_t shown = nowitemID;
    CUiControl list = Control(IDC_ITEM_LIST);
    {
        const CNotifyQuietScope quiet(m_context.NotifyReady());
        list.ResetContent();
        for (const Citemstruct& item : m_context.Document().itemdata)
            list.AddString(FieldText(item, "name"));
    }
    list.SetCurSel(shown >= 0 && static_cast<uint32_t>(shown) < list.GetCount() ? shown : -1);
    nowitemID = -1;
    OnSelChangeList1();
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
    CUiControl useFunc = Control(IDC_USE_FUNC_COMBO);
    useFunc.AddString("func");
    if (beta)
        useFunc.AddString("funci");
    useFunc.AddString("funcb");
    for (const TypeData& type : doc.definedata.types)
        Control(IDC_TYPE).AddString(type.name.GetBuffer());
    for (const JobData& job : doc.definedata.jobs)
        Control(IDC_JOB_NAME).AddString(job.name.GetBuffer());
    for (const char* mode : {SJ("標準"), SJ("ラジオ"), SJ("リスト")})
        Control(IDC_ARG_SELECT_MODE).AddString(mode);
    for (const char* kind : {"use", "need", "get"})
        Control(IDC_UNG_KIND).AddString(kind);
    for (int32_t id : {IDC_FUNC_EDIT, IDC_USE_FUNC_EDIT}) {
        Control(id).SetTabStops(12);
        Control(id).SetFont(m_context.FunctionFont());
    }
    for (int32_t id : {IDC_FUNC_COMBO, IDC_ARG_SELECT_MODE, IDC_USE_FUNC_COMBO, IDC_UNG_KIND})
        Control(id).SetCurSel(0);
    EnableItemControls(false);

    CUiControl list = Control(IDC_ITEM_LIST);
    for (const Citemstruct& item : doc.itemdata)
        list.AddString(FieldText(item, "name"));

    m_work.Clear();
    nowitemID = -1;
    m_nFunc = -1;
    m_nUse = -1;
    const Csinglestruct* functions = m_context.Document().singledata.Lookup("@@FUNCITEM");
    FindDeclaredSubs(functions ? functions->text.GetBuffer() : "", m_declaredSubs);
    m_ungItemNames.RemoveAll();
    if (m_nStoredItem >= 0 && static_cast<uint32_t>(m_nStoredItem) < doc.itemdata.GetCount()) {
        list.SetCurSel(m_nStoredItem);
        OnSelChangeList1();
    }
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
    EnableUseControls();
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
    ShowUseList();
    // Compared with what the controls give back, not with what was put in,
    // so that a control that changes a text on its way in counts as unedited.
    m_shown = ReadControls();
}

void Cpage_item::ShowFuncString(int32_t index)
{
    const CNotifyQuietScope quiet(m_context.NotifyReady());
    m_nFunc = index;
    CUiControl edit = Control(IDC_FUNC_EDIT);
    edit.SetText(index >= 0 ? FieldText(m_work, kFuncKeys[index]) : "");
    edit.GetText(m_strShownFunc);
}

bool Cpage_item::SaveFuncString()
{
    if (m_nFunc < 0)
        return true;
    CStr_base<16384> text;
    Control(IDC_FUNC_EDIT).GetText(text);
    if (text == m_strShownFunc)
        return true;
    // The item's scripts are always written as "_local_" blocks.
    CStr_base<1024> errors;
    if (!CheckScriptLines(kFuncKeys[m_nFunc], text.GetBuffer(), text.GetLength(), errors)) {
        m_context.ShowMessage(errors.GetBuffer());
        m_context.ApplyError().Append(errors);
        return false;
    }
    m_strShownFunc = text;
    CContextQuestion question(m_context);
    CompleteBackslashes(text, EscapeMode(kPageEscapeModeKey), question);
    m_work.SetField(kFuncKeys[m_nFunc], text.GetBuffer());
    return true;
}

void Cpage_item::OnSelChangeFunc()
{
    if (!SaveFuncString()) {
        Control(IDC_FUNC_COMBO).SetCurSel(m_nFunc);
        return;
    }
    const int32_t index = Control(IDC_FUNC_COMBO).GetCurSel();
    ShowFuncString(index >= 0 && index < 3 ? index : -1);
}

void Cpage_item::OnFuncWindow()
{
    if (m_nFunc < 0)
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

bool Cpage_item::ReadBackFields()
{
    const CItemFieldControls now = ReadControls();
    if (!ReadBackItemFields(m_shown, now, m_work, m_strPageError)) {
        m_context.ShowMessage(m_strPageError.GetBuffer());
        m_context.ApplyError().Assign(m_strPageError);
        return false;
    }
    m_shown = now;
    return true;
}

bool Cpage_item::SaveShownItem()
{
    if (!ReadBackFields())
        return false;
    m_context.ApplyError().Release();
    SaveFuncString();
    SaveShownUse();
    return m_context.ApplyError().IsEmpty();
}

void Cpage_item::SetListLine(int32_t index)
{
    CUiControl list = Control(IDC_ITEM_LIST);
    list.DeleteString(index);
    list.InsertString(index, FieldText(*m_context.Document().itemdata.GetAt(index), "name"));
}

void Cpage_item::OnOK()
{
    if (nowitemID == -1)
        return;
    const CModalWaitScope wait(m_context.ModalWait());
    const CUiWaitCursor cursor;
    if (!SaveShownItem())
        return;

    CMerxDocument& doc = m_context.Document();
    Citemstruct& stored = *doc.itemdata.GetAt(nowitemID);
    const CStr_base<64> oldName(FieldText(stored, "name"));
    const CStr_base<64> newName(FieldText(m_work, "name"));
    bool storedByTracking = false;
    if (!(oldName == newName) && m_bAskRename) {
        const UiAnswer answer = m_context.Ask(
            SJ("アイテム名が変更されました。\nこのアイテム名を使用している項目を追跡して更新しますか？"),
            UiButtons::kYesNoCancel);
        if (answer != UiAnswer::kYes && answer != UiAnswer::kNo) {
            m_context.ApplyError().Assign("user cancel");
            return;
        }
        if (answer == UiAnswer::kYes) {
            stored = m_work;
            const CRenameTracking tracking = TrackItemRename(doc, oldName.GetBuffer(), newName.GetBuffer());
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
    if (!storedByTracking)
        stored = m_work;
    {
        // The line takes the new name; the selection stays where the user
        // put it (an apply before a switch).
        const CNotifyQuietScope quiet(m_context.NotifyReady());
        CUiControl list = Control(IDC_ITEM_LIST);
        const int32_t selected = list.GetCurSel();
        SetListLine(nowitemID);
        list.SetCurSel(selected);
    }
    m_bAskRename = true;
}

void Cpage_item::OnDestroy()
{
    nowitemID = -1;
    m_nFunc = -1;
    m_nUse = -1;
}

void Cpage_item::OnSelChangeList1()
{
    const CModalWaitScope wait(m_context.ModalWait());
    CUiControl list = Control(IDC_ITEM_LIST);
    if (nowitemID != -1) {
        m_context.ApplyError().Release();
        {
            const CNotifyQuietScope quiet(m_context.NotifyReady());
            OnOK();
        }
        if (!m_context.ApplyError().IsEmpty()) {
            list.SetCurSel(nowitemID);
            return;
        }
    }
    nowitemID = list.GetCurSel();
    m_nStoredItem = nowitemID;
    if (nowitemID < 0) {
        nowitemID = -1;
        m_nFunc = -1;
        EnableItemControls(false);
        return;
    }
    const CMerxDocument& doc = m_context.Document();
    if (static_cast<uint32_t>(nowitemID) >= doc.itemdata.GetCount()) {
        CStr_base<1024> text;
        text.Format(SJ("MERX_ERROR\n内部エラーが発生しました。\n以下のメッセージを発生前の操作などと共に作者に報告して"
                       "ください。\n\nMessage：itemdata_outlength\nPosition：Cpage_item::OnSelChangeList1()\nInfo："
                       "itemdata.GetArrayCount()：%u\n      nowitemID：%d\n"),
                    doc.itemdata.GetCount(), nowitemID);
        m_context.ShowMessage(text.GetBuffer());
        nowitemID = m_nStoredItem = -1;
        m_nFunc = -1;
        EnableItemControls(false);
        return;
    }
    m_work = *doc.itemdata.GetAt(nowitemID);
    ShowItem();
}

void Cpage_item::ShowInsertedItem(uint32_t index, bool atEnd)
{
    CUiControl list = Control(IDC_ITEM_LIST);
    const char* name = FieldText(*m_context.Document().itemdata.GetAt(index), "name");
    if (atEnd) {
        list.AddString(name);
    } else {
        list.InsertString(static_cast<int32_t>(index), name);
        if (nowitemID >= static_cast<int32_t>(index))
            ++nowitemID;
    }
    list.SetCurSel(static_cast<int32_t>(index));
    OnSelChangeList1();
    // A new item's first apply stores its name without asking.
    if (nowitemID == static_cast<int32_t>(index))
        m_bAskRename = false;
    m_context.MarkModified();
}

void Cpage_item::OnAdd()
{
    CMerxDocument& doc = m_context.Document();
    const bool insert = Control(IDC_INSERT).GetCheck() && nowitemID != -1;
    const CInsertPlace place = FindInsertPlace(doc, doc.itemdata, insert, nowitemID);
    InsertNewItem(doc, place, NextFreeItemNumber(doc));
    ShowInsertedItem(place.index, !insert);
}

void Cpage_item::OnCopy()
{
    if (nowitemID == -1 || Control(IDC_ITEM_LIST).GetCurSel() < 0)
        return;
    m_context.ApplyError().Release();
    OnSelChangeList1();
    if (!m_context.ApplyError().IsEmpty() || nowitemID == -1)
        return;
    CMerxDocument& doc = m_context.Document();
    const bool insert = Control(IDC_INSERT).GetCheck();
    const CInsertPlace place = FindInsertPlace(doc, doc.itemdata, insert, nowitemID);
    InsertItemCopy(doc, place, m_work, NextFreeItemNumber(doc));
    ShowInsertedItem(place.index, !insert);
}

void Cpage_item::OnDelete()
{
    if (nowitemID == -1)
        return;
    if (m_context.Ask(SJ("このアイテムを削除してもよろしいですか？"), UiButtons::kYesNo) != UiAnswer::kYes)
        return;
    CMerxDocument& doc = m_context.Document();
    CUiControl list = Control(IDC_ITEM_LIST);
    list.DeleteString(nowitemID);
    doc.RemoveElement(doc.itemdata.GetAt(nowitemID));
    const int32_t count = static_cast<int32_t>(list.GetCount());
    list.SetCurSel(nowitemID < count ? nowitemID : count - 1);
    nowitemID = -1;
    OnSelChangeList1();
    m_context.MarkModified();
}

void Cpage_item::ExchangeWithNeighbour(int32_t other)
{
    CMerxDocument& doc = m_context.Document();
    if (nowitemID == -1 || other < 0 || static_cast<uint32_t>(other) >= doc.itemdata.GetCount())
        return;
    doc.ExchangeItems(static_cast<uint32_t>(nowitemID), static_cast<uint32_t>(other));
    {
        const CNotifyQuietScope quiet(m_context.NotifyReady());
        SetListLine(nowitemID);
        SetListLine(other);
        Control(IDC_ITEM_LIST).SetCurSel(other);
    }
    nowitemID = m_nStoredItem = other;
    m_context.MarkModified();
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
            m_context.ApplyError().Release();
            list.SetCurSel(0);
            OnSelChangeList1();
            if (!m_context.ApplyError().IsEmpty())
                return false;
        }
        shown = nowitemID >= 0 ? doc.itemdata.GetAt(static_cast<uint32_t>(nowitemID)) : nullptr;
        return true;
    };
    const CModalWaitScope wait(m_context.ModalWait());
    CItemSortDlg dialog(m_context, m_previousOrder, prepare);
    if (dialog.DoModal(this) != kIdOk || !dialog.Changed())
        return;
    {
        const CNotifyQuietScope quiet(m_context.NotifyReady());
        list.ResetContent();
        for (const Citemstruct& item : doc.itemdata)
            list.AddString(FieldText(item, "name"));
        for (uint32_t i = 0; i < doc.itemdata.GetCount(); ++i)
            if (doc.itemdata.GetAt(i) == shown)
                nowitemID = static_cast<int32_t>(i);
        list.SetCurSel(nowitemID);
    }
    m_nStoredItem = nowitemID;
    m_context.MarkModified();
}

void Cpage_item::OnRevert()
{
    nowitemID = -1;
    OnSelChangeList1();
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

void Cpage_item::OnDirectEdit()
{
    if (m_context.RefuseWhileWaiting() || nowitemID == -1)
        return;
    const CModalWaitScope wait(m_context.ModalWait());
    const CUiWaitCursor cursor;
    if (!SaveShownItem())
        return;

    const CMerxDocument& doc = m_context.Document();
    CStr_base<16384> text = CMerxWriter(doc).WriteItem(m_work);
    CrLfToLf(text);
    const bool beta = IsBeta();
    const bool accepted = m_context.RunDirectInput(text, [&](CStr_base<16384>& candidate, CStr_base<1024>& errors) {
        Citemstruct parsed;
        CStr_base<1024> messages;
        uint32_t line = 0;
        if (!CElementReader(doc, messages).ParseItem(parsed, candidate.GetBuffer(), line) || !messages.IsEmpty()) {
            errors = messages;
            return false;
        }
        // The script texts that may lack a "\" after a double-byte character.
        std::vector<CMerxString*> scripts;
        for (const char* key : kFuncKeys)
            if (beta || std::strcmp(key, "funct") == 0)
                scripts.push_back(parsed.fields.Lookup(key));
        for (Cusestruct& use : parsed.uses)
            for (const char* key : {"func", "funci", "funcb"})
                if (beta || std::strcmp(key, "funci") != 0)
                    scripts.push_back(use.fields.Lookup(key));
        CContextQuestion question(m_context);
        CompleteBackslashesIn(scripts, EscapeMode(kEditEscapeModeKey), question);
        m_work = parsed;
        return true;
    });
    if (accepted)
        ShowItem();
}

void Cpage_item::OnIconEdit()
{
    CStr_base<64> dataFolder = FolderOfPath(m_context.FilePath().GetBuffer());
    if (dataFolder.IsEmpty() && !m_context.FilePath().IsEmpty())
        dataFolder.Assign(".");
    if (dataFolder.IsEmpty() || !IsFolder(dataFolder)) {
        m_context.ShowMessage(SJ("編集中のフォルダにアクセスできません"));
        return;
    }
    const CStr_base<64> iconFolder =
        IconFolderPath(dataFolder.GetBuffer(), m_context.ProjectInfo().iconImagePath.GetBuffer());
    if (!IsFolder(iconFolder)) {
        m_context.ShowMessage(SJ("アイコンが格納されているフォルダにアクセスできません"));
        return;
    }
    CStr_base<64> noText;
    Control(IDC_NO).GetText(noText);
    const int32_t number = ReadDecimal32(noText.GetBuffer(), 0);
    if (number < 1) {
        m_context.ShowMessage(SJ("アイテムNoが無効です"));
        return;
    }
    const CStr_base<64> iconPath = IconFilePath(iconFolder.GetBuffer(), number);
    const std::string native = NativePath(iconPath.GetBuffer());
    if (!std::ifstream(native, std::ios::binary)) {
        if (m_context.Ask(SJ("アイコンファイルにアクセスできません。\n新しいファイルを作成しますか？"),
                          UiButtons::kOkCancel) != UiAnswer::kOk)
            return;
        CStr_base<64> blank(m_context.ProgramFolder());
        blank.Append("\\newitemicon.png");
        std::error_code error;
        if (!std::filesystem::copy_file(NativePath(blank.GetBuffer()), native, std::filesystem::copy_options::none,
                                        error)) {
            m_context.ShowMessage(SJ("アイコンファイルの作成に失敗しました。"));
            return;
        }
    }
    const CSettingsStore& settings = m_context.Settings();
    const CSettingsStore::Value* program = FindSetting(settings, kIconEditAppPathKey);
    if (program && !program->IsEmpty()) {
        const CSettingsStore::Value* value = FindSetting(settings, kIconEditAppValueKey);
        CStrArray_base<64> arguments;
        IconProgramArguments(value ? value->GetBuffer() : "\"%f\"", PathTextFromNative(native).GetBuffer(), arguments);
        if (UiShellOpen("open", program->GetBuffer(), arguments, iconFolder.GetBuffer(), this) <= 32)
            m_context.ShowMessage(SJ("指定プログラムを起動できません。\nパスの設定を確認してください。"));
        return;
    }
    if (UiShellOpen("open", iconPath.GetBuffer(), {}, "", this) <= 32)
        m_context.ShowMessage(
            SJ("アイコンファイルを開けません。\nWindowsの設定およびファイルを使用中でないか確認してください。"));
}

bool Cpage_item::OnCommand(int32_t id, UiEvent event)
{
    if (m_context.NotifyReady() && IsEditedByTyping(id, event) && id != IDC_ITEM_LIST)
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
