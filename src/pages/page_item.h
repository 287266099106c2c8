// The item page: the list of items, the shown item's own fields and func
// strings, and the page operations (add, copy, delete, move, apply,
// revert, direct edit, icon edit).
//
// The page never edits the document's item in place: it shows a working
// copy, reads the controls back into it, and apply stores it. A field whose
// controls the user left alone keeps its stored bytes, so browsing never
// changes the file. The "@@USE" box is built with the page; it stays
// disabled here, and apply keeps the item's use entries as they are.
#pragma once

#include <cstdint>

#include "document/item_struct.h"
#include "pages/item_fields.h"
#include "pages/main_page.h"

class Cpage_item : public CMainPage {
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

private:
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

    // Fills the controls from the working copy.
    void ShowItem();
    void EnableItemControls(bool shown);
    CItemFieldControls ReadControls() const;
    // Reads the fields back into the working copy; on failure shows the
    // messages and leaves them in the apply-error text.
    bool ReadBackFields();
    // Reads the fields and the shown func string into the working copy (what
    // apply and direct edit do first); false, with the reason in the
    // apply-error text, when they cannot be read.
    bool SaveShownItem();
    // Stores the func edit into the working copy when the user changed it.
    void SaveFuncString();
    void ShowFuncString(int32_t index);
    // Puts `index` of the document's items into the list line `index`.
    void SetListLine(int32_t index);
    // Inserts a new item's line and shows it; the question about renames
    // is off for it once it is shown.
    void ShowInsertedItem(uint32_t index, bool atEnd);
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
};
