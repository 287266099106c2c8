#include "app/direct_input_dlg.h"

#include <algorithm>

#include "editing/line_ends.h"
#include "foundation/sjis_literal.h"
#include "settings/setting_keys.h"
#include "ui/edit_tab_key.h"
#include "ui/ui_services.h"

namespace {

const CUiDialogTemplate& DirectInputTemplate()
{
    static const CUiDialogTemplate t{
        CDirectInputDlg::IDD,
        SJ("直接入力"),
        {480, 360},
        kUiResizable | kUiMaximizeBox,
        {
            {CDirectInputDlg::IDC_TEXT, UiControlKind::kEdit, "", {10, 10, 460, 310},
             kUiTabStop | kUiMultiLine | kUiWantReturn},
            {CDirectInputDlg::IDC_ERRINFO, UiControlKind::kButton, SJ("エラー情報"), {180, 330, 90, 24}, kUiTabStop},
            {kIdOk, UiControlKind::kButton, "OK", {280, 330, 90, 24}, kUiTabStop | kUiDefaultButton},
            {kIdCancel, UiControlKind::kButton, SJ("キャンセル"), {380, 330, 90, 24}, kUiTabStop},
        },
        {},
    };
    return t;
}

// Carriage returns, line feeds, tabs and blanks at the start of `text`.
uint32_t LeadingWhiteSpace(const char* text)
{
    uint32_t n = 0;
    while (text[n] == '\r' || text[n] == '\n' || text[n] == '\t' || text[n] == ' ')
        ++n;
    return n;
}

void MoveKeepingSize(CUiControl control, int32_t x, int32_t y)
{
    const CUiRect rect = control.GetRect();
    control.Move({x, y, rect.w, rect.h});
}

}  // namespace

CDirectInputDlg::CDirectInputDlg(CSettingsStore& settings, CModifiedMarker& marker)
    : CDialogBase(DirectInputTemplate()),
      m_settings(settings),
      m_marker(marker),
      m_errInfo(
          settings, [this](uint32_t line) { GoToLine(line); }, [this] { m_bErrInfoShown = false; })
{
    Bind(IDC_ERRINFO, UiEvent::kClicked, &CDirectInputDlg::OnErrInfoButton);
}

CDirectInputDlg::~CDirectInputDlg() { DestroyWindow(); }

bool CDirectInputDlg::OnInitDialog()
{
    CUiControl edit = Control(IDC_TEXT);
    edit.SetFont(m_font);
    edit.SetTabStops(12);
    edit.SetLimitText(0x100000);
    CStr_base<16384> shown(m_strText);
    LfToCrLf(shown);
    edit.SetText(shown);

    SetMinTrackSize(350, 150);
    if (HasRootSection(m_settings, kDirectInputSection)) {
        MoveWindow(ReadWindowRect(m_settings, kDirectInputSection));
        if (ReadWindowMaximized(m_settings, kDirectInputSection))
            ShowWindow(UiShow::kMaximize);
    }
    const CUiSize client = GetClientSize();
    OnSize(client.w, client.h);

    m_errInfo.SetLines("");
    m_errInfo.Create(this);
    m_bErrInfoShown = false;
    if (!m_strOpeningErrors.IsEmpty()) {
        m_errInfo.SetLines(m_strOpeningErrors);
        m_strOpeningErrors.Release();
        ShowErrInfo();
    }
    return true;
}

void CDirectInputDlg::OnOK()
{
    if (!AcceptTypedText())
        return;
    CUiWaitCursor wait;
    CUiControl edit = Control(IDC_TEXT);
    CStr_base<16384> text;
    edit.GetText(text);
    const uint32_t lead = LeadingWhiteSpace(text);
    if (lead) {
        uint32_t start = 0, end = 0;
        edit.GetSel(start, end);
        edit.SetSel(0, lead);
        edit.ReplaceSel("", true);
        edit.SetSel(start > lead ? start - lead : 0, end > lead ? end - lead : 0);
    }
    CStr_base<16384> candidate(text.GetBuffer() + lead);
    CrLfToLf(candidate);

    CStr_base<1024> errors;
    if (m_check && !m_check(candidate, errors)) {
        m_errInfo.SetLines(errors);
        ShowErrInfo();
        return;
    }
    CStr_base<16384> opened(m_strText);
    CrLfToLf(opened);
    if (!(candidate == opened))
        m_marker.MarkModified();
    m_strText.Swap(candidate);
    m_errInfo.DestroyWindow();
    EndDialog(kIdOk);
}

void CDirectInputDlg::OnCancel()
{
    m_errInfo.DestroyWindow();
    EndDialog(kIdCancel);
}

bool CDirectInputDlg::PreTranslateMessage(const CUiMessage& message)
{
    return InsertTabForKey(*this, message, IDC_TEXT);
}

void CDirectInputDlg::OnSize(int32_t cx, int32_t cy)
{
    Control(IDC_TEXT).Move({10, 10, std::max(0, cx - 20), std::max(0, cy - 50)});
    MoveKeepingSize(Control(kIdCancel), cx - 100, cy - 30);
    MoveKeepingSize(Control(kIdOk), cx - 200, cy - 30);
    MoveKeepingSize(Control(IDC_ERRINFO), cx - 300, cy - 30);
}

void CDirectInputDlg::OnDestroy()
{
    StoreWindowRect(m_settings, kDirectInputSection, GetNormalRect());
    StoreWindowMaximized(m_settings, kDirectInputSection, IsZoomed());
}

void CDirectInputDlg::GoToLine(uint32_t line)
{
    if (!HasWindow())
        return;
    CUiControl edit = Control(IDC_TEXT);
    const uint32_t last = edit.GetLineCount() - 1;
    const int32_t at = edit.LineIndex(std::min(line > 0 ? line - 1 : 0, last));
    edit.SetSel(static_cast<uint32_t>(at), static_cast<uint32_t>(at));
    edit.ScrollCaret();
    edit.SetFocus();
}

void CDirectInputDlg::ShowErrInfo()
{
    if (!m_errInfo.HasWindow())
        return;
    if (!m_bErrInfoShown) {
        m_bErrInfoShown = true;
        m_errInfo.ShowWindow(UiShow::kShow);
    } else {
        m_errInfo.SetFocus();
    }
}
