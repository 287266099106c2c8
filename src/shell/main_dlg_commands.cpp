// The main dialog's menu commands and its history submenu.
#include <string>
#include <string_view>

#include "app/about_dlg.h"
#include "app/modal_wait.h"
#include "app/preferences_dlg.h"
#include "app/project_info_dlg.h"
#include "editing/integrity_check.h"
#include "foundation/sjis_literal.h"
#include "shell/main_dlg.h"
#include "ui/ui_backend.h"
#include "ui/ui_services.h"

namespace {

const char* DataFileFilter()
{
    return SJ("inc-item-data.cgi|inc-item-data.cgi|CGI ファイル(*.cgi)|*.cgi|全てのファイル(*.*)|*.*||");
}

// The history submenu: position 7 of the file menu.
CUiMenuItem& HistoryPopup(CUiMenu& menu) { return menu.items[0].items[7]; }

}  // namespace

bool CMainDlg::OnCommand(int32_t id, UiEvent event)
{
    if (event != UiEvent::kClicked || id < ID_HISTORY_FIRST || id > ID_HISTORY_LAST)
        return false;
    OnHistory(id - ID_HISTORY_FIRST);
    return true;
}

void CMainDlg::OnFileNew()
{
    CModalWaitScope wait(m_nModalWait);
    const CRecoverySync sync{*this};
    if (m_project.SaveQuestion() == SAVE_QUESTION_STOP)
        return;
    CProjectInfoDlg dialog(m_rules);
    if (dialog.DoModal(this) != kIdOk)
        return;
    CProjectInfo chosen;
    chosen.projectName = dialog.ProjectName();
    chosen.ruleKey = dialog.RuleKey();
    chosen.ruleName = dialog.RuleName();
    m_project.NewProject(chosen);
}

void CMainDlg::OnFileOpen()
{
    CModalWaitScope wait(m_nModalWait);
    const CRecoverySync sync{*this};
    if (m_project.SaveQuestion() == SAVE_QUESTION_STOP)
        return;
    CUiFileRequest request;
    request.filter = DataFileFilter();
    request.mustExist = true;
    const CStr_base<64> folder = StartFolder();
    request.initialName = folder;
    CStr_base<64> path;
    if (UiAskFileName(request, path, this))
        m_project.Open(path);
}

void CMainDlg::OnFileSave()
{
    CModalWaitScope wait(m_nModalWait);
    const CRecoverySync sync{*this};
    m_project.Save();
}

void CMainDlg::OnFileSaveAs()
{
    CModalWaitScope wait(m_nModalWait);
    const CRecoverySync sync{*this};
    m_project.SaveAs();
}

void CMainDlg::OnPreferences()
{
    CModalWaitScope wait(m_nModalWait);
    CPreferencesDlg dialog(m_settings);
    dialog.DoModal(this);
}

void CMainDlg::OnIntegrityCheck()
{
    if (RefuseWhileWaiting())
        return;
    CModalWaitScope wait(m_nModalWait);
    // The check looks at what the current page shows, applied.
    if (ApplyCurrentPage().IsRefused()) {
        UiMessageBox(SJ("現在の項目の確定に失敗したため、キャンセルされました"), UiButtons::kOk, this);
        return;
    }
    const CIntegrityFindings findings = CheckProjectIntegrity(m_doc);
    if (m_jumpInfoDlg.HasWindow())
        m_jumpInfoDlg.SetWindowText(IntegrityCheckTitle(findings.count).GetBuffer());
    m_jumpInfoDlg.SetLines(findings.text.GetBuffer());
    if (findings.count == 0) {
        UiMessageBox(IntegrityCheckCleanMessage(), UiButtons::kOk, this);
        return;
    }
    ShowToolResults();
}

void CMainDlg::OnHelpFile()
{
    CStr_base<64> path(m_strProgramFolder);
    path.Append("/TavaroItemEditor.htm");
    const int32_t result = UiShellOpen("open", path, {}, "", this);
    if (result > 32)
        return;
    CStr_base<64> message;
    if (result == kUiShellNoProgram)
        message.Format(SJ("\"%s\"を開くプログラムが見つかりません。\nHTMLファイルを開くブラウザなどを設定してください。"),
                       path.GetBuffer());
    else
        message.Format(SJ("\"%s\"を開けません。\nファイルがあるか確認してください。"), path.GetBuffer());
    UiMessageBox(message, UiButtons::kOk, this);
}

void CMainDlg::OnAbout()
{
    CModalWaitScope wait(m_nModalWait);
    CAboutDlg dialog;
    dialog.DoModal(this);
}

void CMainDlg::OnHistory(int32_t index)
{
    CModalWaitScope wait(m_nModalWait);
    const CRecoverySync sync{*this};
    COpenHistory history;
    ReadOpenHistory(m_settings, history);
    if (m_project.SaveQuestion() == SAVE_QUESTION_STOP)
        return;
    if (index < 0 || static_cast<uint32_t>(index) >= history.paths.GetCount())
        return;
    const CStr_base<64> path(history.paths[static_cast<uint32_t>(index)]);
    m_project.Open(path);
}

void CMainDlg::ShowFindReplace()
{
    if (!m_findDlg.HasWindow())
        return;
    if (!m_findDlg.m_bShown) {
        m_findDlg.m_bShown = true;
        m_findDlg.ShowWindow(UiShow::kShow);
    } else {
        m_findDlg.SetFocus();
    }
}

void CMainDlg::ShowToolResults() { m_jumpInfoDlg.Show(); }

void CMainDlg::UpdateTitle()
{
    if (!HasWindow() || m_bClosed)
        return;
    const char* separator = SJ(" ― ");
    CStr_base<64> title("[*]");
    const CStr_base<64> fileName = FileNamePart(m_project.m_strFilePath);
    if (!fileName.IsEmpty()) {
        title.Append(fileName);
        title.Append(separator);
    }
    title.Append(m_project.info.projectName);
    title.Append(separator);
    title.Append(kProgramTitle);
    SetWindowText(title);
    SetModifiedMark(m_project.m_bModified);
    UpdateEditMenu();
}

CStr_base<64> CMainDlg::StartFolder() const
{
    CStr_base<64> path(m_project.m_strFilePath);
    if (path.IsEmpty()) {
        COpenHistory history;
        ReadOpenHistory(m_settings, history);
        if (history.paths.GetCount() > 0)
            path.Assign(history.paths[0]);
    }
    const std::string_view whole(path.GetBuffer(), path.GetLength());
    const size_t slash = whole.rfind('/');
    if (slash == std::string_view::npos)
        return {};
    // "/" is never the second byte of a character.
    return CStr_base<64>(std::string(whole.substr(0, slash + 1)).c_str());
}

void CMainDlg::AddToHistory(const char* path)
{
    COpenHistory history;
    AddToOpenHistory(m_settings, path, m_project.info.projectName, m_project.applied.ruleName, history);
    BuildHistoryMenu(history);
}

void CMainDlg::BuildHistoryMenu(const COpenHistory& history)
{
    if (history.paths.GetCount() == 0)
        return;
    CUiMenuItem& popup = HistoryPopup(Menu());
    popup.items.clear();
    for (uint32_t i = 0; i < history.paths.GetCount() && i < kOpenHistoryMenuMax; ++i) {
        CUiMenuItem item;
        item.id = ID_HISTORY_FIRST + static_cast<int32_t>(i);
        if (i < history.infos.GetCount())
            item.text = history.infos[i];
        item.note = HistoryPathNote(history.paths[i]);
        item.tip = history.paths[i];
        popup.items.push_back(item);
    }
    popup.enabled = true;
    DrawMenuBar();
}
