// The item page: the list of items, the shown item's own fields and func
// strings, and the page operations (add, copy, delete, move, apply,
// revert, direct edit, icon edit).
//
// The page never edits the document's item in place: it shows a working
// copy, reads the controls back into it, and apply stores it. A field whose
// controls the user left alone keeps its stored bytes, so browsing never
// changes the file. The "@@USE" box edits the working copy's use entries
// in the same way (page_item_use.cpp): one entry is shown at a time, and in
// it one script text, one job, argselect and use/need/get line each.
#pragma once

#include <cstdint>

#include "document/item_struct.h"
#include "editing/item_fields.h"
#include "editing/item_sort.h"
#include "editing/use_argselect.h"
#include "editing/use_fields.h"
#include "editing/use_job.h"
#include "editing/use_scripts.h"
#include "editing/use_ung_line.h"
#include "pages/filtered_list_page.h"
#include "pages/main_page.h"

class Cpage_item : public CFilteredListPage {
public:
    explicit Cpage_item(CPageContext& context);

    void LoadSelection(const CProjectInfo& info) override;
    void StoreSelection(CProjectInfo& info) const override;
    int32_t CurrentElement() const override;
    void SelectElement(int32_t index) override;
    void Reload() override;

    // The list selection changed: applies the shown item, then shows the
    // selected one; a refused apply puts the selection back.
    void OnSelChangeList1();

protected:
    bool OnInitDialog() override;
    // "適用": stores the working copy into the document.
    void OnOK() override;
    bool OnCommand(int32_t id, UiEvent event) override;
    bool PreTranslateMessage(const CUiMessage& message) override;
    void OnDestroy() override;
    // The script edits are named by the script they show, the message of a
    // use/need/get line as its validation names it.
    CStr_base<64> TypedFieldName(int32_t id) const override;

private:
    // The item's script texts, in the order of the func combo.
    static constexpr const char* kFuncKeys[] = {"funct", "funcs", "funcb"};
    // The line of a use entry or sub-entry just added (UTF-8, for SJ).
    static constexpr char kNewLabel[] = "(新規空データ)";

    void OnAdd();
    void OnCopy();
    void OnDelete();
    void OnUp();
    void OnDown();
    void OnSort();
    void OnRevert();
    void OnSelChangeFunc();
    void OnFuncWindow();
    void OnDirectEdit();
    void OnIconEdit();
    // "拡張項目": the item's extension fields in their own dialog.
    void OnItemEx();

    // The use box.
    void OnSelChangeUseList();
    void OnUseAdd();
    void OnUseCopy();
    void OnUseDelete();
    void OnUseUp();
    void OnUseDown();
    void OnSelChangeUseFunc();
    void OnUseFuncWindow();
    void OnUseEx();
    void OnSelChangeJob();
    void OnJobAdd();
    void OnJobDelete();
    void OnJobHalve();
    void OnSelChangeArgsel();
    void OnArgselAdd();
    void OnArgselDelete();
    void OnArgselUp();
    void OnArgselDown();
    void OnSelChangeUng();
    void OnUngAdd();
    void OnUngDelete();

    // Fills the controls from the working copy.
    void ShowItem();
    void EnableItemControls(bool shown);
    // Enables the use box for the shown item and entry: nothing without an
    // item, the add button alone for an item without entries, and in an
    // entry the groups of the rule, each list's controls only when the list
    // has entries.
    void EnableUseControls();
    // Refills the use list from the working copy and shows its first entry.
    void ShowUseList();
    // Saves the shown entry (fields, script, sub-entries) into the working
    // copy without showing anything anew; false, with the messages shown
    // and in the apply-error text, when a part was refused.
    bool SaveShownUse();
    void ShowUse(int32_t index);
    CUseFieldControls ReadUseControls() const;
    Cusestruct* ShownUse();
    bool SaveUseScript();
    void ShowUseScript(int32_t index);
    CUseScriptControls ReadUseScriptControls() const;
    bool SaveJob();
    void ShowJob(int32_t index);
    CJobControls ReadJobControls() const;
    bool SaveArgsel();
    // Exchanges the shown argselect entry with entry `other`; the shown
    // index follows the entry.
    void MoveArgsel(int32_t other);
    void ShowArgsel(int32_t index);
    CArgselectControls ReadArgselControls() const;
    bool SaveUng();
    void ShowUng(int32_t index);
    CUngControls ReadUngControls() const;
    // A refused sub-entry: the message, the combo back on the shown entry,
    // the failed count up, the lines into the apply-error text.
    void RefuseSubSave(int32_t comboId, int32_t shownIndex, const CStr_base<1024>& errors);
    // Replaces line `index` of a combo, keeping its selection.
    void SetComboLine(int32_t comboId, int32_t index, const char* text);
    // Fills a combo with the labels of a sub-entry list.
    void FillSubCombo(int32_t comboId, const CStrArray_base<64>* list, CStr_base<64> (*label)(const char*));
    // Adds an entry to the list `key` and shows it, unless the shown entry
    // cannot be saved.
    void AddSubEntryAndShow(int32_t comboId, const char* key, const char* text, void (Cpage_item::*select)());
    // Removes the selected entry of the list `key`.
    void DeleteSubEntry(int32_t comboId, const char* key, int32_t& shownIndex, void (Cpage_item::*show)(int32_t));
    void RefillUngItemNames();
    CStr_base<64> NameEditText() const;
    CItemFieldControls ReadControls() const;
    // Reads the fields back into the working copy; on failure shows the
    // messages and leaves them in the apply-error text.
    bool ReadBackFields();
    // Reads the fields and the shown func string into the working copy (what
    // apply and direct edit do first); false, with the reason in the
    // apply-error text, when they cannot be read.
    bool SaveShownItem();
    // Stores the func edit into the working copy when the user changed it;
    // false, with the message shown and in the apply-error text, for a
    // script that would not read back.
    bool SaveFuncString();
    void ShowFuncString(int32_t index);
    // Puts item `index` into its list line, when the filter shows it.
    void SetListLine(int32_t index);
    // The filter box: the list shows the items whose "no", "code" or "name"
    // holds its text.
    uint32_t FilterCount() const override;
    void AddFilterTexts(uint32_t index, CListFilter::CTexts& texts) const override;
    void FillList() override;
    void EnableMoveButtons() override;
    // Inserts a new item's line and shows it; the question about renames
    // is off for it once it is shown. When memory runs out on the way, the
    // item goes again and the page shows what it showed (TakeBackItem).
    void ShowInsertedItem(uint32_t index, bool atEnd);
    // Removes the item at `index` inserted while the page showed `shown`,
    // and its line when the list has `listed` + 1 lines; shows `shown`
    // again, reloaded only when the page had left it.
    void TakeBackItem(uint32_t index, int32_t shown, uint32_t listed);
    // Before an item is added or copied: the shown item is applied; false
    // when it was refused, and nothing is to be inserted.
    bool ApplyBeforeInsert();
    // The insertion of item `index` as a step of the undo history.
    void RecordInserted(CEditCommandPtr step, uint32_t index, const char* action);
    void ExchangeWithNeighbour(int32_t other);
    bool IsBeta() const;
    int32_t EscapeMode(const char* key) const;

    int32_t nowitemID = -1;          // the shown item, -1 for none
    Citemstruct m_work;              // its working copy
    CItemFieldControls m_shown;      // what the controls held when the item was shown or applied
    int32_t m_nFunc = -1;            // the func string shown: 0 funct, 1 funcs, 2 funcb
    CStr_base<16384> m_strShownFunc; // what the func edit held when it was shown
    bool m_bAskRename = true;        // apply asks whether a new name is to be followed
    CStr_base<1024> m_strPageError;
    int32_t m_nStoredItem = -1;      // the selection: loaded, then following the shown item
    int32_t m_nItemExId = -1;        // the extension fields last chosen for items
    int32_t m_nUseExId = -1;         //   and for use entries
    CItemPreviousOrder m_previousOrder; // the item order from before the last sort

    // The use box: the shown entry and what its controls held when shown
    // or last saved; in it the shown script text and sub-entries (-1 none).
    int32_t m_nUse = -1;
    int32_t m_nUseFunc = -1; // 0 func, 1 funci (beta) or funcb, 2 funcb
    int32_t m_nJob = -1;
    int32_t m_nArgsel = -1;
    int32_t m_nUng = -1;
    bool m_bNewUng = false; // the shown use/need/get line was just added
    int32_t m_nFailedSubSaves = 0; // raised by each refused sub-entry; read by the add buttons
    CUseFieldControls m_shownUse;
    CUseScriptControls m_shownScript;
    CJobControls m_shownJob;
    CArgselectControls m_shownArgsel;
    CUngControls m_shownUng;
    CStrArray_base<64> m_declaredSubs;  // the functions "@@FUNCITEM" declares
    CStrArray_base<64> m_ungItemNames;  // what the use/need/get item combo lists after "このアイテム"
};
