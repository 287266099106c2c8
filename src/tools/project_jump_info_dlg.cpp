#include "tools/project_jump_info_dlg.h"

#include <algorithm>

#include "app/window_geometry.h"
#include "foundation/sjis_literal.h"
#include "settings/setting_keys.h"

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

CProjectJumpInfoDlg::CProjectJumpInfoDlg(CPageContext& context)
    : CDialogBase(JumpInfoTemplate()), m_context(context)
{
}

bool CProjectJumpInfoDlg::OnInitDialog()
{
    SetMinTrackSize(200, 120);
    if (HasRootSection(m_context.Settings(), kJumpInfoSection))
        MoveWindow(ReadWindowRect(m_context.Settings(), kJumpInfoSection));
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
    StoreWindowRect(m_context.Settings(), kJumpInfoSection, GetNormalRect());
}

void CProjectJumpInfoDlg::Hide()
{
    m_bShown = false;
    ShowWindow(UiShow::kHide);
}
