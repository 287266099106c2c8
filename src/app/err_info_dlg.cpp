#include "app/err_info_dlg.h"

#include <algorithm>
#include <cstdlib>

#include "foundation/sjis_literal.h"
#include "pattern/regex_types.h"
#include "settings/setting_keys.h"

namespace {

const CUiDialogTemplate& ErrInfoTemplate()
{
    static const CUiDialogTemplate t{
        CErrInfoDlg::IDD,
        SJ("エラー情報"),
        {300, 200},
        kUiResizable,
        {
            {CErrInfoDlg::IDC_LOCK, UiControlKind::kCheck, SJ("固定"), {10, 10, 60, 16}, kUiTabStop},
            {CErrInfoDlg::IDC_LIST, UiControlKind::kList, "", {10, 30, 280, 160}, kUiTabStop},
        },
        {},
    };
    return t;
}

// The digits after the first "[" of a line that has them, read as a line
// number: at least 1, and no more than 32 bits hold.
bool BracketedLineNumber(const char* line, uint32_t& number)
{
    CStrRegexMatchStruct captures;
    if (StrRegex(line, "[%{%/d%}", "", &captures) <= 0 || captures.GetCount() < 1)
        return false;
    const unsigned long long value = std::strtoull(captures[0], nullptr, 10);
    number = value > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(value);
    if (number < 1)
        number = 1;
    return true;
}

}  // namespace

CErrInfoDlg::CErrInfoDlg(CSettingsStore& settings, std::function<void(uint32_t line)> goToLine,
                         std::function<void()> hidden)
    : CDialogBase(ErrInfoTemplate()), m_settings(settings), m_goToLine(std::move(goToLine)), m_hidden(std::move(hidden))
{
    Bind(IDC_LIST, UiEvent::kDoubleClicked, &CErrInfoDlg::OnDblclkList1);
}

CErrInfoDlg::~CErrInfoDlg() { DestroyWindow(); }

void CErrInfoDlg::SetLines(const char* text)
{
    if (text) {
        m_lines.Split(text, "\n");
        if (m_lines.GetCount() && m_lines.GetLast()->IsEmpty())
            m_lines.RemoveTail();
    }
    if (!HasWindow())
        return;
    CUiControl list = Control(IDC_LIST);
    list.ResetContent();
    for (const CStr_base<64>& line : m_lines)
        list.AddString(line);
}

bool CErrInfoDlg::OnInitDialog()
{
    EnsureRootSection(m_settings, kErrInfoSection);
    Control(IDC_LOCK).SetCheck(IsSwitchOn(m_settings, kErrInfoLockKey));
    SetMinTrackSize(100, 100);
    MoveWindow(ReadWindowRect(m_settings, kErrInfoSection));
    const CUiSize client = GetClientSize();
    OnSize(client.w, client.h);
    SetLines(nullptr);
    return true;
}

void CErrInfoDlg::OnSize(int32_t cx, int32_t cy)
{
    CUiControl lock = Control(IDC_LOCK);
    const CUiRect box = lock.GetRect();
    lock.Move({10, 10, box.w, box.h});
    Control(IDC_LIST).Move({10, 30, std::max(0, cx - 20), std::max(0, cy - 40)});
}

void CErrInfoDlg::OnDestroy()
{
    EnsureRootSection(m_settings, kErrInfoSection);
    m_settings.SetSwitch(kErrInfoLockKey, Control(IDC_LOCK).GetCheck());
    StoreWindowRect(m_settings, kErrInfoSection, GetWindowRect());
}

void CErrInfoDlg::OnDblclkList1()
{
    CUiControl list = Control(IDC_LIST);
    CStr_base<64> line;
    uint32_t number = 0;
    if (!list.GetItemText(list.GetCurSel(), line) || !BracketedLineNumber(line, number))
        return;
    m_goToLine(number);
    if (HasWindow() && !Control(IDC_LOCK).GetCheck())
        Hide();
}

void CErrInfoDlg::Hide()
{
    ShowWindow(UiShow::kHide);
    m_hidden();
}
