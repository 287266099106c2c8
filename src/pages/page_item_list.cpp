// The item page's side of its list (element_list.h): its items, their
// lines and makers, the sort dialog and the filter box.
#include "editing/delete_question.h"
#include "editing/item_list_edit.h"
#include "editing/item_naming.h"
#include "foundation/sjis_literal.h"
#include "pages/page_item.h"
#include "pages/page_item_template.h"
#include "tools/item_sort_dlg.h"

using namespace item_page;

// A line shows the item's name.
const CElementListKind<Citemstruct> Cpage_item::kList{
    .listId = IDC_ITEM_LIST,
    .insertId = IDC_INSERT,
    .upId = IDC_UP,
    .downId = IDC_DOWN,
    .container = &CMerxDocument::itemdata,
    .label = [](const Citemstruct& item, CStr_base<64>&) { return item.FieldText("name"); },
    .deleteQuestion = DeleteItemQuestion,
    .insertNew = [](CMerxDocument& doc, const CInsertPlace& place) {
        return InsertNewItem(doc, place, NextFreeItemNumber(doc));
    },
    .insertCopy = [](CMerxDocument& doc, const CInsertPlace& place, const Citemstruct& source) {
        return InsertItemCopy(doc, place, source, NextFreeItemNumber(doc));
    },
    .exchange = ExchangeItems,
    .containerName = "itemdata",
    .shownName = "nowitemID",
    .handler = "Cpage_item::OnSelChangeList1()",
};

void Cpage_item::InsertedShown(bool fresh)
{
    // A new item's first apply stores its name without asking; its fields
    // take their rules ("limit" its default), as if the user had typed
    // them. A copy keeps what it copied.
    m_bAskRename = false;
    if (fresh)
        m_shown.allEdited = true;
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
            if (m_list.ShowSelected().IsRefused())
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
    m_list.StoreShown();
}

// ---- the filter box ------------------------------------------------------

void Cpage_item::AddFilterTexts(uint32_t index, CListFilter::CTexts& texts) const
{
    static const CFilterFields fields{"no", "code", "name"};
    fields.AddTexts(*m_context.Document().itemdata.GetAt(index), texts);
}
