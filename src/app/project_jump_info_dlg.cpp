#include "app/project_jump_info_dlg.h"

#include <algorithm>

#include "foundation/sjis_literal.h"

namespace {

const CUiDialogTemplate& JumpInfoTemplate()
{
    static const CUiDialogTemplate t{
        CProjectJumpInfoDlg::IDD,
        SJ("ツール結果表示ウィンドウ"),
        {400, 240},
        kUiResizable,
        {
            {CProjectJumpInfoDlg::IDC_LOCK, UiControlKind::kCheck, SJ("固定"), {10, 10, 60, 16}, kUiTabStop},
            {CProjectJumpInfoDlg::IDC_LIST, UiControlKind::kList, "", {10, 30, 380, 200}, kUiTabStop},
        },
        {},
    };
    return t;
}

}  // namespace

CProjectJumpInfoDlg::CProjectJumpInfoDlg(CMainDlg& main, CSettingsStore& settings)
    : CDialogBase(JumpInfoTemplate()), m_main(main), m_settings(settings)
{
}

bool CProjectJumpInfoDlg::OnInitDialog()
{
    SetMinTrackSize(200, 120);
    if (m_settings.GetSectionValues("/JumpInfoDialog"))
        MoveWindow(ReadWindowRect(m_settings, "/JumpInfoDialog"));
    const CUiSize client = GetClientSize();
    OnSize(client.w, client.h);
    return true;
}

void CProjectJumpInfoDlg::OnSize(int32_t cx, int32_t cy)
{
    Control(IDC_LIST).Move({10, 30, std::max(0, cx - 20), std::max(0, cy - 40)});
}

void CProjectJumpInfoDlg::OnDestroy()
{
    EnsureRootSection(m_settings, "JumpInfoDialog");
    StoreWindowRect(m_settings, "/JumpInfoDialog", GetNormalRect());
}

void CProjectJumpInfoDlg::Hide()
{
    m_bShown = false;
    ShowWindow(UiShow::kHide);
}
