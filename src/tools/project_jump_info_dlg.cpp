#include "tools/project_jump_info_dlg.h"

#include <algorithm>
#include <cstring>

#include "app/window_geometry.h"
#include "editing/internal_error.h"
#include "editing/result_line.h"
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

constexpr char kLockKey[] = "/JumpInfoDialog/Lock";

}  // namespace

CProjectJumpInfoDlg::CProjectJumpInfoDlg(CPageContext& context)
    : CDialogBase(JumpInfoTemplate()), m_context(context)
{
    Bind(IDC_LIST, UiEvent::kDoubleClicked, &CProjectJumpInfoDlg::OnDblclkList1);
}

bool CProjectJumpInfoDlg::OnInitDialog()
{
    SetMinTrackSize(200, 120);
    if (HasRootSection(m_context.Settings(), kJumpInfoSection))
        MoveWindow(ReadWindowRect(m_context.Settings(), kJumpInfoSection));
    Control(IDC_LOCK).SetCheck(IsSwitchOn(m_context.Settings(), kLockKey));
    const CUiSize client = GetClientSize();
    OnSize(client.w, client.h);
    FillList();
    return true;
}

void CProjectJumpInfoDlg::OnSize(int32_t cx, int32_t cy)
{
    Control(IDC_LIST).Move({10, 30, std::max(0, cx - 20), std::max(0, cy - 40)});
}

void CProjectJumpInfoDlg::OnDestroy()
{
    StoreWindowRect(m_context.Settings(), kJumpInfoSection, GetNormalRect());
    m_context.Settings().SetSwitch(kLockKey, Control(IDC_LOCK).GetCheck());
}

void CProjectJumpInfoDlg::Hide()
{
    m_bShown = false;
    ShowWindow(UiShow::kHide);
}

void CProjectJumpInfoDlg::Show()
{
    if (!HasWindow())
        return;
    if (!m_bShown) {
        m_bShown = true;
        ShowWindow(UiShow::kShow);
    } else {
        SetFocus();
    }
}

bool CProjectJumpInfoDlg::SelectedLine(CStr_base<64>& line) const
{
    if (!HasWindow())
        return false;
    const int32_t selected = Control(IDC_LIST).GetCurSel();
    return selected >= 0 && Control(IDC_LIST).GetItemText(selected, line);
}

uint32_t CProjectJumpInfoDlg::SelectedIdentity() const
{
    const int32_t selected = HasWindow() ? Control(IDC_LIST).GetCurSel() : -1;
    return selected >= 0 && static_cast<size_t>(selected) < m_ids.size() ? m_ids[static_cast<size_t>(selected)] : 0;
}

void CProjectJumpInfoDlg::SetLines(const char* text)
{
    m_lines.RemoveAll();
    m_ids.clear();
    const char* at = text ? text : "";
    while (*at) {
        const char* feed = std::strchr(at, '\n');
        if (!feed) {
            m_lines.Add()->Assign(at);
            break;
        }
        m_lines.Add()->Assign(at, static_cast<int32_t>(feed - at));
        at = feed + 1;
    }
    m_ids.reserve(m_lines.GetCount());
    for (const CStr_base<64>& line : m_lines)
        m_ids.push_back(ResultLineIdentity(m_context.Document(), line.GetBuffer()));
    FillList();
}

void CProjectJumpInfoDlg::FillList()
{
    if (!HasWindow())
        return;
    CUiControl list = Control(IDC_LIST);
    list.ResetContent();
    for (const CStr_base<64>& line : m_lines)
        list.AddString(line.GetBuffer());
}

void CProjectJumpInfoDlg::RefuseStale()
{
    m_context.ShowMessage(SJ("この要素にアクセスできません。\nこの要素は既に無効になっている可能性があります。"));
}

void CProjectJumpInfoDlg::OnDblclkList1()
{
    if (m_context.RefuseWhileWaiting())
        return;
    CStr_base<64> line;
    if (!SelectedLine(line))
        return;
    const CModalWaitScope wait(m_context.ModalWait());
    CResultTarget target;
    switch (FollowResultLine(m_context.Document(), line.GetBuffer(), SelectedIdentity(), target)) {
    case CLineFollow::kNoElement:
        // A line without a kind word or an "INFO" line names nothing.
        if (ParseResultLine(line.GetBuffer(), target) && !target.info)
            m_context.ShowMessage(InternalErrorNote("CProjectJumpInfoDlg::OnDblclkList1").GetBuffer());
        return;
    case CLineFollow::kGone:
        RefuseStale();
        return;
    case CLineFollow::kFound:
        break;
    }
    // A page that refuses to let go keeps the window as it is.
    if (!m_context.ShowElement(target.tab, target.index))
        return;
    if (!Control(IDC_LOCK).GetCheck())
        Hide();
}
