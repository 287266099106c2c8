// The item page: the list of items, the shown item's own fields and func
// strings, and the page operations (add, copy, delete, move, apply,
// revert, direct edit, icon edit).
//
// The page never edits the document's item in place: it shows a working
// copy, reads the controls back into it, and apply stores it. A field whose
// controls the user left alone keeps its stored bytes, so browsing never
// changes the file. The "@@USE" box edits the working copy's use entries
// in the same way (use_box.h).
#pragma once

#include <cstdint>

#include "document/item_struct.h"
#include "editing/item_fields.h"
#include "editing/item_sort.h"
#include "pages/element_list_page.h"
#include "pages/main_page.h"
#include "pages/use_box.h"

class Cpage_item : public CElementListPage<Citemstruct> {
public:
    explicit Cpage_item(CPageContext& context);

    void LoadSelection(const CProjectInfo& info) override;
    void StoreSelection(CProjectInfo& info) const override;
    // "適用": stores the working copy into the document.
    CApplyResult Apply() override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int32_t id, UiEvent event) override;
    bool PreTranslateMessage(const CUiMessage& message) override;
    void OnDestroy() override;
    // The script edits are named by the script they show, the message of a
    // use/need/get line as its validation names it.
    CStr_base<64> TypedFieldName(int32_t id) const override;

private:
    // The item's script texts, in the order of the func combo.
    static constexpr const char* kFuncKeys[] = {"funct", "funcs", "funcb"};
    // The item list's controls and rules (page_item_list.cpp).
    static const CElementListKind<Citemstruct> kList;

    void OnSort();
    void OnSelChangeFunc();
    void OnFuncWindow();
    void OnDirectEdit();
    void OnIconEdit();
    // "拡張項目": the item's extension fields in their own dialog.
    void OnItemEx();

    // The use box's controls, handled by the box.
    void OnSelChangeUseList() { m_useBox.OnSelChangeList(); }
    void OnUseAdd() { m_useBox.OnAdd(); }
    void OnUseCopy() { m_useBox.OnCopy(); }
    void OnUseDelete() { m_useBox.OnDelete(); }
    void OnUseUp() { m_useBox.OnUp(); }
    void OnUseDown() { m_useBox.OnDown(); }
    void OnSelChangeUseFunc() { m_useBox.OnSelChangeFunc(); }
    void OnUseFuncWindow() { m_useBox.OnFuncWindow(); }
    void OnUseEx() { m_useBox.OnEx(); }
    void OnSelChangeJob() { m_useBox.Jobs().OnSelChange(); }
    void OnJobAdd() { m_useBox.Jobs().OnAdd(); }
    void OnJobDelete() { m_useBox.Jobs().OnDelete(); }
    void OnJobHalve() { m_useBox.OnJobHalve(); }
    void OnSelChangeArgsel() { m_useBox.Argselects().OnSelChange(); }
    void OnArgselAdd() { m_useBox.Argselects().OnAdd(); }
    void OnArgselDelete() { m_useBox.Argselects().OnDelete(); }
    void OnArgselUp() { m_useBox.Argselects().OnUp(); }
    void OnArgselDown() { m_useBox.Argselects().OnDown(); }
    void OnSelChangeUng() { m_useBox.Ungs().OnSelChange(); }
    void OnUngAdd() { m_useBox.Ungs().OnAdd(); }
    void OnUngDelete() { m_useBox.Ungs().OnDelete(); }

    // Fills the controls from the working copy.
    void ShowItem();
    void EnableItemControls(bool shown);
    CItemFieldControls ReadControls() const;
    // Reads the fields back into the working copy; on failure shows the
    // messages and returns them as a refusal.
    CApplyResult ReadBackFields();
    // Reads the fields and the shown func string into the working copy (what
    // apply and direct edit do first); a refusal, its messages shown, when
    // they cannot be read.
    CApplyResult SaveShownItem();
    // Stores the func edit into the working copy when the user changed it;
    // a refusal, its message shown, for a script that would not read back.
    CApplyResult SaveFuncString();
    void ShowFuncString(int32_t index);
    // The filter box: the list shows the items whose "no", "code" or "name"
    // holds its text.
    void AddFilterTexts(uint32_t index, CListFilter::CTexts& texts) const override;
    // The list's side of the page (element_list.h): an item shown after its
    // insertion takes its name without the question about renames, and a
    // new one its fields' rules on its first apply.
    void ShowElement() override { ShowItem(); }
    void HideElement() override;
    void InsertedShown(bool fresh) override;
    bool IsBeta() const;
    int32_t EscapeMode(const char* key) const;

    int32_t nowitemID = -1;          // the shown item, -1 for none
    Citemstruct m_work;              // its working copy
    CItemFieldControls m_shown;      // what the controls held when the item was shown or applied
    int32_t m_nFunc = -1;            // the func string shown: 0 funct, 1 funcs, 2 funcb
    CStr_base<16384> m_strShownFunc; // what the func edit held when it was shown
    bool m_bAskRename = true;        // apply asks whether a new name is to be followed
    CStr_base<1024> m_strPageError;
    int32_t m_nItemExId = -1;        // the extension fields last chosen for items
    CItemPreviousOrder m_previousOrder; // the item order from before the last sort
    CUseBox m_useBox{*this, m_context, m_work, nowitemID}; // the "@@USE" box: the working copy's use entries
};
