// What the main dialog expects of every editing page under its tabs.
//
// A page object lives as long as the main dialog; only the page of the
// selected tab has a window, created as a child of the main dialog. The
// page's "適用" button (the default button, kIdOk) commits its edits into
// the document; a page that cannot commit leaves a non-empty text in the
// apply-error text of its context. Destroying the window drops uncommitted
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

    // The apply command, as the "適用" button gives it.
    void Apply() { OnOK(); }

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
    // Escape and the close box belong to the main dialog.
    void OnCancel() override {}
    // Text the file cannot hold, and an edit that would not come back from
    // the file, are refused as a failed apply is: the message over the main
    // window, its lines in the apply-error text.
    void OnTypedTextRefused(const CStr_base<1024>& errors) override;

    // Before an apply stores `edited` over `stored`: whether it comes back
    // from the file as it is stored (GuardReopen); a refusal is shown and
    // left in the apply-error text.
    template <class Element>
    CReopenGuard GuardApply(const Element& stored, Element& edited)
    {
        CStr_base<1024> reasons;
        const CReopenGuard guard = GuardReopen(m_context.Document(), stored, edited, reasons);
        if (guard == CReopenGuard::kRefused)
            OnTypedTextRefused(ReopenRefusalMessage(reasons));
        return guard;
    }

    CPageContext& m_context;
};
