// The tool results window: modeless and resizable, owned by the main dialog
// for the whole run, shown on demand. It keeps its rectangle in the section
// "JumpInfoDialog" of the settings store, stored when its window goes. Until
// the tools fill it, its list stays empty.
#pragma once

#include <cstdint>

#include "app/page_context.h"
#include "ui/dialog_base.h"

class CProjectJumpInfoDlg : public CDialogBase {
public:
    enum : int32_t {
        IDD = 144,
        IDC_LIST = 1001,
        IDC_LOCK = 1018,  // "固定": stay open after a jump
    };

    explicit CProjectJumpInfoDlg(CPageContext& context);
    ~CProjectJumpInfoDlg() override { DestroyWindow(); }

    // Set by the main dialog's show command, cleared when the window hides.
    bool m_bShown = false;

protected:
    bool OnInitDialog() override;
    // Enter, Escape and the close box hide the window.
    void OnOK() override { Hide(); }
    void OnCancel() override { Hide(); }
    void OnSize(int32_t cx, int32_t cy) override;
    void OnDestroy() override;

private:
    void Hide();

    CPageContext& m_context;
};
