// The item page's "@@USE" box: the use entries of the page's working copy.
//
// One entry is shown at a time, and in it one script text and one entry
// of each sub-entry group (job, argselect, use/need/get; use_sub_group.h).
// Switching anything in the box first saves what is shown (the entry's
// fields and script text, then its sub-entries) and then shows the new
// selection. A refused sub-entry keeps its group on the shown entry; a
// refused use field or script keeps the stored text. Like the item side,
// the box never edits the document: the page's apply stores the working
// copy, use entries and all.
#pragma once

#include <cstdint>

#include "app/apply_result.h"
#include "app/page_context.h"
#include "document/item_struct.h"
#include "editing/use_fields.h"
#include "editing/use_scripts.h"
#include "pages/use_sub_entries.h"
#include "ui/dialog_base.h"

class CUseBox {
public:
    // The box edits `work`, the working copy of `page`, while `shownItem`
    // (the page's shown item) is not -1.
    CUseBox(CDialogBase& page, CPageContext& context, Citemstruct& work, const int32_t& shownItem);

    // The page's window was created: the box's combos get their fixed
    // lines, and the names the scripts may call are read from "@@FUNCITEM".
    void OnInitDialog();
    // The page's window goes: no entry is shown.
    void OnDestroy() { m_nUse = -1; }
    // Enables the box for the shown item and entry: nothing without an
    // item, the add button alone for an item without entries, and in an
    // entry the groups of the rule, each list's controls only when the list
    // has entries.
    void EnableControls();
    // Refills the use list from the working copy and shows its first entry.
    void ShowList();
    // Saves the shown entry (fields, script, sub-entries) into the working
    // copy without showing anything anew; a refusal, its messages shown,
    // when a part was refused (the other parts are saved all the same).
    CApplyResult SaveShown();
    // The key of the shown script text; null for none.
    const char* ScriptKey() const { return UseScriptKey(m_nFunc, IsBeta()); }
    // The extension fields last chosen for use entries.
    int32_t LastExIndex() const { return m_nExId; }
    void SetLastExIndex(int32_t index) { m_nExId = index; }

    // The box's controls; the page binds them and hands them on.
    void OnSelChangeList();
    void OnAdd();
    void OnCopy();
    void OnDelete();
    void OnUp() { ExchangeWith(m_nUse - 1); }
    void OnDown() { ExchangeWith(m_nUse + 1); }
    void OnSelChangeFunc();
    void OnFuncWindow();
    void OnEx();
    // 時半減: the time-halving parameter of the job the job-name combo names.
    void OnJobHalve();
    CUseSubEntries<CJobControls>& Jobs() { return m_jobs; }
    CUseSubEntries<CArgselectControls>& Argselects() { return m_argselects; }
    CUseSubEntries<CUngControls>& Ungs() { return m_ungs; }

private:
    template <class>
    friend class CUseSubEntries;

    CUiControl Control(int32_t id) const { return m_page.Control(id); }
    bool IsBeta() const { return m_context.Document().IsBeta(); }
    // The shown entry; null without one.
    Cusestruct* ShownUse() const;
    // What showing and reading back a sub-entry needs besides the entry.
    CUseSubScope SubScope() const;
    // Replaces line `index` of a combo, keeping its selection.
    void SetComboLine(int32_t comboId, int32_t index, const char* text);
    void ShowUse(int32_t index);
    CUseFieldControls ReadFieldControls() const;
    CApplyResult SaveScript();
    // The typed text of the page, before it is read back: a refusal, shown,
    // when the file cannot hold it.
    CApplyResult AcceptTypedEdits(int32_t only = 0) const;
    // Shows `errors` over the main window and returns them as a refusal.
    CApplyResult Refuse(const CStr_base<1024>& errors) const;
    void ShowScript(int32_t index);
    CUseScriptControls ReadScriptControls() const;
    // Exchanges the shown entry with entry `other`, the shown script text
    // saved first; the selection follows the shown entry.
    void ExchangeWith(int32_t other);
    void RefillUngItemNames();

    CDialogBase& m_page;
    CPageContext& m_context;
    Citemstruct& m_work;
    const int32_t& m_nItem;

    int32_t m_nUse = -1;  // the shown entry, -1 for none
    int32_t m_nFunc = -1; // its script text: 0 func, 1 funci (beta) or funcb, 2 funcb; -1 none
    int32_t m_nExId = -1;
    CUseFieldControls m_shownFields; // what the controls held when the entry was shown or last saved
    CUseScriptControls m_shownScript;
    CUseSubEntries<CJobControls> m_jobs;
    CUseSubEntries<CArgselectControls> m_argselects;
    CUseSubEntries<CUngControls> m_ungs;
    CStrArray_base<64> m_declaredSubs; // the functions "@@FUNCITEM" declares
    CStrArray_base<64> m_ungItemNames; // what the use/need/get item combo lists after "このアイテム"
};
