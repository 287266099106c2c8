// What the main dialog expects of every editing page under its tabs.
//
// A page object lives as long as the main dialog; only the page of the
// selected tab has a window, created as a child of the main dialog. The
// page's "適用" button (the default button, kIdOk) commits its edits into
// the document; a page that cannot commit leaves a non-empty text in the
// main dialog's m_strApplyError. Destroying the window drops uncommitted
// edits without asking. The page's remembered selections live in the page
// object and survive its window.
#pragma once

#include <cstdint>

#include "document/project_info.h"
#include "ui/dialog_base.h"

class CMainDlg;

class CMainPage : public CDialogBase {
public:
    CMainPage(const CUiDialogTemplate& dialogTemplate, CMainDlg& main) : CDialogBase(dialogTemplate), m_main(main) {}
    ~CMainPage() override { DestroyWindow(); }

    // The apply command, as the "適用" button gives it.
    void Apply() { OnOK(); }

    // The selections this page remembers, taken from or written into the
    // project information (the stored positions of the data file).
    virtual void LoadSelection(const CProjectInfo& info) = 0;
    virtual void StoreSelection(CProjectInfo& info) const = 0;

protected:
    // Escape and the close box belong to the main dialog.
    void OnCancel() override {}

    CMainDlg& m_main;
};
