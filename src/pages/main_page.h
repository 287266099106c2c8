// What the main dialog expects of every editing page under its tabs.
//
// A page object lives as long as the main dialog; only the page of the
// selected tab has a window, created as a child of the main dialog. The
// page's "適用" button (the default button, kIdOk) commits its edits into
// the document (Apply); a page that cannot commit returns a refusal, whose
// messages it has shown. Destroying the window drops uncommitted
// edits without asking. The page's remembered selections live in the page
// object and survive its window.
#pragma once

#include <cstdint>

#include "app/page_context.h"
#include "document/project_info.h"
#include "editing/reopen_guard.h"
#include "ui/dialog_base.h"

class CMainPage : public CDialogBase {
public:
    CMainPage(const CUiDialogTemplate& dialogTemplate, CPageContext& context);
    ~CMainPage() override;

    // The apply command, as the "適用" button gives it: stores the shown
    // edits into the document, or refuses (messages shown) or is cancelled
    // at a question, leaving the edits shown.
    virtual CApplyResult Apply() = 0;

    // The selections this page remembers, taken from or written into the
    // project information (the stored positions of the data file).
    virtual void LoadSelection(const CProjectInfo& info) = 0;
    virtual void StoreSelection(CProjectInfo& info) const = 0;

    // What the tools use. The index of the element the page shows, -1 for
    // none (a page without elements shows none).
    virtual int32_t CurrentElement() const;
    // Makes element `index` the page's selection: with a window, as if the
    // user had selected it; without one, it is selected when the window is
    // next created. A page without elements ignores it.
    virtual void SelectElement(int32_t index);
    // Shows the document anew after a replace changed it; a page that shows
    // nothing of the document has nothing to do.
    virtual void Reload();

protected:
    // The "適用" button: the page is the current one, and applies through
    // the main window, which keeps what came of it.
    void OnOK() final { m_context.ApplyCurrentPage(); }
    // Escape and the close box belong to the main dialog.
    void OnCancel() override {}
    // Text the file cannot hold is refused with its message over the main
    // window.
    void OnTypedTextRefused(const CStr_base<1024>& errors) override;
    // Before the typed text of the page (or only of control `only`) is
    // read for an apply: a refusal, its message shown, when the file
    // cannot hold it (AcceptTypedText).
    CApplyResult AcceptTypedEdits(int32_t only = 0);

    // Before an apply stores `edited` over `stored`: whether it comes back
    // from the file as it is stored (GuardReopen); a refusal is shown and
    // returned in `result`.
    template <class Element>
    CReopenGuard GuardApply(const Element& stored, Element& edited, CApplyResult& result)
    {
        CStr_base<1024> reasons;
        const CReopenGuard guard = GuardReopen(m_context.Document(), stored, edited, reasons);
        if (guard == CReopenGuard::kRefused)
            result = Refuse(ReopenRefusalMessage(reasons));
        return guard;
    }
    // Shows `messages` over the main window and returns them as a refusal.
    CApplyResult Refuse(const CStr_base<1024>& messages);

    CPageContext& m_context;
};
