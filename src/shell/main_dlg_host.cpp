// The main dialog as the project's host, and its report of internal errors.
#include "app/project_info_dlg.h"
#include "editing/internal_error.h"
#include "foundation/native_path.h"
#include "foundation/sjis_literal.h"
#include "foundation/text_file.h"
#include "shell/main_dlg.h"
#include "ui/ui_services.h"

// While a page's or a tool's message box is open, the tool windows stay
// usable: the wait counter keeps them from acting on the document meanwhile
// (a double-click in the results window would otherwise change the element
// a question is about).
void CMainDlg::ShowMessage(const char* text)
{
    const CModalWaitScope wait(m_nModalWait);
    UiMessageBox(text, UiButtons::kOk, this);
}

UiAnswer CMainDlg::Ask(const char* text, UiButtons buttons, UiAnswer defaultButton)
{
    const CModalWaitScope wait(m_nModalWait);
    return UiMessageBox(text, buttons, this, defaultButton);
}

bool CMainDlg::AskYesNo(const char* text) { return UiMessageBox(text, UiButtons::kYesNo, this) == UiAnswer::kYes; }

CProjectAnswer CMainDlg::AskYesNoCancel(const char* text)
{
    switch (UiMessageBox(text, UiButtons::kYesNoCancel, this)) {
    case UiAnswer::kYes:
        return CProjectAnswer::kYes;
    case UiAnswer::kNo:
        return CProjectAnswer::kNo;
    default:
        return CProjectAnswer::kCancel;
    }
}

bool CMainDlg::AskProjectInfo(const char*, CProjectInfo& info)
{
    CProjectInfoDlg dialog(m_rules);
    if (dialog.DoModal(this) != kIdOk)
        return false;
    info.projectName = dialog.ProjectName();
    info.ruleKey = dialog.RuleKey();
    info.ruleName = dialog.RuleName();
    return true;
}

bool CMainDlg::RunDirectInput(CStr_base<16384>& text, CDirectInputCheck check)
{
    m_directInput.SetText(text);
    m_directInput.SetCheck(std::move(check));
    const bool accepted = m_directInput.DoModal(this) == kIdOk;
    m_directInput.SetCheck(nullptr);
    if (accepted)
        text = m_directInput.GetText();
    m_directInput.SetText("");
    return accepted;
}

bool CMainDlg::ReviewReaderMessages(const char* text, const char* messages, const CReaderRetry& retry)
{
    CStr_base<16384> edited(text);
    m_directInput.SetOpeningErrors(messages);
    // The validation of a whole data file: the project's parse again.
    return RunDirectInput(edited,
                          [&retry](CStr_base<16384>& candidate, CStr_base<1024>& errors) { return retry(candidate, errors); });
}

bool CMainDlg::AskSavePath(const char* fileName, CStr_base<64>& path)
{
    CUiFileRequest request;
    request.save = true;
    // In the folder of the project, or of the last one.
    CStr_base<64> initial = StartFolder();
    initial.Append(fileName);
    request.initialName = initial;
    request.filter = SJ("inc-item-data.cgi|inc-item-data.cgi|CGI ファイル(*.cgi)|*.cgi|全てのファイル(*.*)|*.*||");
    request.confirmOverwrite = true;
    return UiAskFileName(request, path, this);
}

bool CMainDlg::AskOverwriteChanged(const char*, const char* question)
{
    return Ask(question, UiButtons::kYesNo, UiAnswer::kNo) == UiAnswer::kYes;
}

bool CMainDlg::ApplyCurrentPage(CProjectInfo& info)
{
    if (ApplyCurrentPage().IsRefused())
        return false;
    info.pageId = m_nPage >= 0 ? m_nPage : 0;
    for (const std::unique_ptr<CMainPage>& page : m_pages)
        page->StoreSelection(info);
    return true;
}

void CMainDlg::ShowProject(int32_t tab)
{
    m_bPageEdited = false;
    UpdateTitle();
    // Result lines name elements of the project that went.
    m_jumpInfoDlg.SetLines("");
    if (m_jumpInfoDlg.HasWindow())
        m_jumpInfoDlg.SetWindowText(SJ("ツール結果表示ウィンドウ"));
    LoadSelections();
    if (tab < 0)
        return;
    Control(IDC_TAB).SetCurSel(tab);
    DestroyCurrentPage();
    m_nPage = -1;
    SwitchPage();
}

void CMainDlg::EndProgram() { CloseSequence(); }

CStr_base<64> CMainDlg::RecoveryPath() const
{
    CStr_base<64> path;
    if (m_project.m_strFilePath.IsEmpty()) {
        path.Assign(m_strProgramFolder);
        path.Append("/inc-item-data.cgi");
    } else {
        path.Assign(m_project.m_strFilePath);
    }
    path.Append(".recovered");
    return path;
}

void CMainDlg::OnInternalError(const char* what, const char* where)
{
    // A failure while the report itself runs is not reported again.
    if (m_bInternalError)
        return;
    m_bInternalError = true;
    const CStr_base<64> recovery = RecoveryPath();
    bool saved = false;
    try {
        const CStr_base<16384> text = m_project.FileText();
        saved = WriteTextFile(NativePath(recovery).c_str(), text.GetBuffer(), text.GetLength());
    } catch (...) {
        saved = false;
    }
    CStr_base<1024> message = InternalErrorReport(
        what, where, saved ? recovery.GetBuffer() : SJ("編集中のデータの緊急保存に失敗しました。"));
    if (saved)
        message.Append(SJ("\n（編集中のデータを上記のファイルに緊急保存しました。）"));
    UiMessageBox(message, UiButtons::kOk, this);
    m_bInternalError = false;
}

void CMainDlg::OnOutOfMemory()
{
    UiMessageBox(SJ("メモリが不足したため、操作を実行できませんでした。"), UiButtons::kOk, this);
}
