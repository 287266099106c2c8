// The main dialog's edit menu: the steps of the undo history taken back
// and done again, and the menu that names them.
#include <cstring>

#include "editing/page_element.h"
#include "foundation/out_of_memory.h"
#include "foundation/sjis_literal.h"
#include "shell/main_dlg.h"

namespace {

CUiMenuItem* FindItem(std::vector<CUiMenuItem>& items, int32_t id)
{
    for (CUiMenuItem& item : items) {
        if (item.id == id && item.items.empty())
            return &item;
        if (CUiMenuItem* found = FindItem(item.items, id))
            return found;
    }
    return nullptr;
}

// "取り消し(&U)" without a step, "取り消し: アイテム「剣」の適用(&U)" with one.
CStr_base<256> EditCaption(const char* verb, const char* name, const char* mnemonic)
{
    CStr_base<256> caption(verb);
    if (name && *name) {
        caption.Append(": ");
        caption.Append(name);
    }
    caption.Append(mnemonic);
    return caption;
}

}  // namespace

void CMainDlg::Record(CEditCommandPtr step, const char* name)
{
    if (!step)
        return;
    try {
        m_project.history.Push(std::move(step), name);
    } catch (...) {
        // A change that cannot be taken back is not kept: the document goes
        // back to what it was and the page shows it.
        if (step) {
            step->Undo(m_doc);
            ReloadCurrentPage();
        }
        throw;
    }
    // The step is kept: what follows only shows it, and a menu that ran
    // out of memory is shown again with the next step.
    m_bPageEdited = false;
    try {
        MarkModified();
        m_bPageEdited = false;
        UpdateEditMenu();
    } catch (...) {
        if (!IsOutOfMemory())
            throw;
    }
}

void CMainDlg::OnEditUndo()
{
    if (RefuseWhileWaiting())
        return;
    // Edits the page holds and has not applied go first, as its "元に戻す"
    // takes them back; nothing else is taken back.
    if (m_bPageEdited) {
        m_bPageEdited = false;
        if (CMainPage* page = CurrentPage())
            page->Reload();
        m_bPageEdited = false;
        FollowHistory();
        UpdateEditMenu();
        return;
    }
    StepHistory(true);
}

void CMainDlg::OnEditRedo()
{
    // Edits typed since the last step stand in the place of what would be
    // done again, as typing after an undo does in a text.
    if (RefuseWhileWaiting() || m_bPageEdited)
        return;
    StepHistory(false);
}

void CMainDlg::StepHistory(bool undo)
{
    CUndoHistory& history = m_project.history;
    if (undo ? !history.CanUndo() : !history.CanRedo())
        return;
    const uint32_t id = undo ? history.Undo(m_doc) : history.Redo(m_doc);
    if (m_recovery)
        m_recovery->Changed();
    FollowHistory();
    // The page shows the document as the step left it, then the element the
    // step changed.
    ReloadCurrentPage();
    m_bPageEdited = false;
    const CPageElement where = PageElementOf(m_doc, id);
    if (where.tab >= 0 && where.index >= 0)
        ShowElement(where.tab, where.index);
    UpdateEditMenu();
}

void CMainDlg::FollowHistory()
{
    m_project.m_bModified = !m_project.history.IsClean();
    UpdateTitle();
}

void CMainDlg::UpdateEditMenu()
{
    CUiMenuItem* undo = FindItem(Menu().items, ID_EDIT_UNDO);
    CUiMenuItem* redo = FindItem(Menu().items, ID_EDIT_REDO);
    if (!undo || !redo)
        return;
    // Typing not applied yet goes before any step, and stands in the place
    // of what would be done again.
    const CUndoHistory& history = m_project.history;
    const bool canUndo = m_bPageEdited || history.CanUndo();
    const bool canRedo = !m_bPageEdited && history.CanRedo();
    const CStr_base<256> undoText =
        EditCaption(SJ("取り消し"), m_bPageEdited ? SJ("適用していない編集") : history.UndoName(), "(&U)");
    const CStr_base<256> redoText = EditCaption(SJ("やり直し"), canRedo ? history.RedoName() : "", "(&R)");
    if (undo->enabled == canUndo && redo->enabled == canRedo &&
        std::strcmp(undo->text.GetBuffer(), undoText.GetBuffer()) == 0 &&
        std::strcmp(redo->text.GetBuffer(), redoText.GetBuffer()) == 0)
        return;
    undo->enabled = canUndo;
    redo->enabled = canRedo;
    undo->text.Assign(undoText.GetBuffer());
    redo->text.Assign(redoText.GetBuffer());
    if (HasWindow())
        DrawMenuBar();
}
