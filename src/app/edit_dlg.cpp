#include "app/edit_dlg.h"

#include <algorithm>

#include "foundation/sjis_literal.h"
#include "settings/setting_keys.h"
#include "ui/edit_tab_key.h"

namespace {

const CUiDialogTemplate& EditTemplate()
{
    static const CUiDialogTemplate t{
        CEditDlg::IDD,
        SJ("別ウィンドウ編集"),
        {480, 360},
        kUiResizable | kUiMaximizeBox,
        {
            {CEditDlg::IDC_TEXT, UiControlKind::kEdit, "", {10, 10, 460, 310},
             kUiTabStop | kUiMultiLine | kUiWantReturn},
            {kIdOk, UiControlKind::kButton, "OK", {280, 330, 90, 24}, kUiTabStop | kUiDefaultButton},
            {kIdCancel, UiControlKind::kButton, SJ("ｷｬﾝｾﾙ"), {380, 330, 90, 24}, kUiTabStop},
        },
        {},
    };
    return t;
}

}  // namespace

CEditDlg::CEditDlg(CSettingsStore& settings, CModifiedMarker& marker, const CUiFont& font)
    : CDialogBase(EditTemplate()), m_settings(settings), m_marker(marker), m_font(font)
{
}

CEditDlg::~CEditDlg() { DestroyWindow(); }

bool CEditDlg::OnInitDialog()
{
    SetWindowText(m_strTitle);
    CUiControl edit = Control(IDC_TEXT);
    edit.SetFont(m_font);
    edit.SetTabStops(12);
    edit.SetText(m_strText);
    edit.SetMargins(2, 0);

    SetMinTrackSize(250, 150);
    EnsureRootSection(m_settings, kEditDialogSection);
    MoveWindow(ReadWindowRect(m_settings, kEditDialogSection));
    if (ReadWindowMaximized(m_settings, kEditDialogSection))
        ShowWindow(UiShow::kMaximize);
    m_bInitialised = true;
    const CUiSize client = GetClientSize();
    OnSize(client.w, client.h);
    return true;
}

void CEditDlg::OnOK()
{
    if (!AcceptTypedText())
        return;
    m_marker.MarkModified();
    Control(IDC_TEXT).GetText(m_strText);
    EndDialog(kIdOk);
}

bool CEditDlg::PreTranslateMessage(const CUiMessage& message) { return InsertTabForKey(*this, message, IDC_TEXT); }

void CEditDlg::OnSize(int32_t cx, int32_t cy)
{
    if (!m_bInitialised)
        return;
    Control(IDC_TEXT).Move({10, 10, std::max(0, cx - 20), std::max(0, cy - 50)});
    const CUiRect ok = Control(kIdOk).GetRect();
    Control(kIdOk).Move({cx - 200, cy - 30, ok.w, ok.h});
    const CUiRect cancel = Control(kIdCancel).GetRect();
    Control(kIdCancel).Move({cx - 100, cy - 30, cancel.w, cancel.h});
}

void CEditDlg::OnDestroy()
{
    StoreWindowRect(m_settings, kEditDialogSection, GetNormalRect());
    StoreWindowMaximized(m_settings, kEditDialogSection, IsZoomed());
    m_bInitialised = false;
}
