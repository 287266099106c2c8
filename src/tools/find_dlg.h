// The find/replace window: modeless, owned by the main dialog for the whole
// run, shown on demand. Until its search is built it is an empty window
// that shows and hides.
#pragma once

#include <cstdint>

#include "app/page_context.h"
#include "ui/dialog_base.h"

class FindDlg : public CDialogBase {
public:
    enum : int32_t { IDD = 145 };

    explicit FindDlg(CPageContext& context);
    ~FindDlg() override { DestroyWindow(); }

    // Set by the main dialog's show command, cleared when the window hides.
    bool m_bShown = false;

protected:
    // Enter, Escape and the close box hide the window.
    void OnOK() override { Hide(); }
    void OnCancel() override { Hide(); }

private:
    void Hide();

    CPageContext& m_context;
};
