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

bool CProjectJumpInfoDlg::LinesAreCurrent() const
{
    return m_context.Document().GetStructureVersion() == m_nVersion;
}

void CProjectJumpInfoDlg::SetLines(const char* text)
{
    m_lines.RemoveAll();
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
    m_nVersion = m_context.Document().GetStructureVersion();
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
    if (!ParseResultLine(line.GetBuffer(), target))
        return; // a line that names no element
    if (target.tab < 0) {
        if (!target.info)
            m_context.ShowMessage(InternalErrorNote("CProjectJumpInfoDlg::OnDblclkList1").GetBuffer());
        return;
    }
    // The indexes belong to the elements as they stood when the lines were
    // set.
    if (!LinesAreCurrent() || !ResultTargetExists(m_context.Document(), target)) {
        RefuseStale();
        return;
    }
    // A page that refuses to let go keeps the window as it is.
    if (!m_context.ShowElement(target.tab, target.index))
        return;
    if (!Control(IDC_LOCK).GetCheck())
        Hide();
}
