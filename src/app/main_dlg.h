// The main dialog: the tabs with one editing page at a time, the menu, the
// two tool windows, and for the whole run the document, the project, the
// rule table and the settings store. It is the project's host: every
// question, message and dialog of opening, saving and creating a project
// goes through it.
#pragma once

#include <cstdint>
#include <memory>

#include "app/direct_input_dlg.h"
#include "app/editor_startup.h"
#include "app/find_dlg.h"
#include "app/main_page.h"
#include "app/modified_marker.h"
#include "app/open_history.h"
#include "app/project_jump_info_dlg.h"
#include "document/merx_document.h"
#include "document/project_file.h"
#include "document/project_host.h"
#include "document/rule_table.h"
#include "ui/dialog_base.h"

class CMainDlg : public CDialogBase, public CProjectHost, public CModifiedMarker {
public:
    enum : int32_t {
        IDD = 102,
        IDR_MENU = 131,
        IDI_PROGRAM = 128,
        IDC_TAB = 1000,
        ID_ABOUT = 32771,
        ID_FILE_NEW = 32772,
        ID_FILE_OPEN = 32773,
        ID_FILE_SAVE_AS = 32774,
        ID_FILE_SAVE = 32775,
        ID_FILE_EXIT = 32776,
        ID_PREFERENCES = 32777,
        ID_FIND_REPLACE = 32778,
        ID_INTEGRITY_CHECK = 32780,
        ID_TOOL_RESULTS = 32781,
        ID_HISTORY_FIRST = 32782,
        ID_HISTORY_LAST = 32786,
        ID_HELP_FILE = 32787,
    };
    enum : int32_t { kPageCount = 6, kProjectTab = 5 };
    // The private message posted to itself each time the window is shown;
    // the first one opens the start-up file.
    static constexpr uint32_t kStartupOpenMessage = 0x7001;

    explicit CMainDlg(const CEditorStartup& startup);
    ~CMainDlg() override;

    // Shared with the pages and tool windows.
    CMerxDocument m_doc;
    CRuleTable m_rules;
    CSettingsStore m_settings;
    CMerxProject m_project;
    uint32_t m_nModalWait = 0;
    CStr_base<1024>& m_strApplyError;  // the document's: apply refusals and reader lines
    bool& m_bModified;                 // the project's
    bool m_bNotifyReady = true;        // while clear, control changes do not set m_bModified

    const CStr_base<64>& ProgramFolder() const { return m_strProgramFolder; }
    CDirectInputDlg& DirectInput() { return m_directInput; }
    const CUiFont& EditFont() const { return m_editFont; }      // 12 point
    const CUiFont& FunctionFont() const { return m_funcFont; }  // 9 point

    // Shows the guard message and returns true while another window waits
    // for an answer (m_nModalWait is not 0).
    bool RefuseWhileWaiting();

    // Whether the first show has opened the start-up file (or found none to
    // open) and no question of that opening is still waiting.
    bool IsStartupDone() const { return m_bStartupOpened && m_nModalWait == 0; }

    // The tab whose page has a window (-1 for none), and that page.
    int32_t CurrentPageIndex() const { return m_nPage; }
    CMainPage* CurrentPage() { return m_nPage >= 0 && m_pages[m_nPage]->HasWindow() ? m_pages[m_nPage].get() : nullptr; }
    CMainPage& Page(int32_t tab) { return *m_pages[tab]; }
    // Puts another page object behind `tab` (the editing pages take the
    // placeholders' places); only while that tab shows no page.
    void SetPage(int32_t tab, std::unique_ptr<CMainPage> page);
    // The page switch: applies the current page (a refusal selects its tab
    // again and keeps it), then builds the page of the selected tab.
    void SwitchPage();

    void ShowFindReplace();
    void ShowToolResults();
    FindDlg& FindReplace() { return m_findDlg; }
    CProjectJumpInfoDlg& ToolResults() { return m_jumpInfoDlg; }

    // CProjectHost.
    void ShowMessage(const char* text) override;
    bool AskYesNo(const char* text) override;
    CProjectAnswer AskYesNoCancel(const char* text) override;
    bool AskProjectInfo(const char* path, CProjectInfo& info) override;
    bool ReviewReaderMessages(const char* text, const char* messages, const CReaderRetry& retry) override;
    bool AskSavePath(const char* fileName, CStr_base<64>& path) override;
    void ApplyCurrentPage(CProjectInfo& info) override;
    void ShowProject(int32_t tab, const char* title) override;
    void AddToHistory(const char* path) override;
    void EndProgram() override;

    // CModifiedMarker.
    void MarkModified() override { m_bModified = true; }

    // An exception escaped a handler: the internal-error message, and an
    // emergency copy of the document beside its data file.
    void OnInternalError(const char* what, const char* where);
    // Where that copy goes: the data file's path with ".recovered", or for
    // a project never saved the same name in the program folder.
    CStr_base<64> RecoveryPath() const;

protected:
    bool OnInitDialog() override;
    // Enter does nothing; Escape and the close box run the close sequence.
    void OnOK() override {}
    void OnCancel() override { CloseSequence(); }
    bool OnCommand(int32_t id, UiEvent event) override;
    bool PreTranslateMessage(const CUiMessage& message) override;
    void OnShowWindow(bool show) override;
    void OnDestroy() override;

private:
    void OnSelchangeTab() { SwitchPage(); }
    void PlacePage(CMainPage& page);
    void CreateCurrentPage(int32_t tab);
    void DestroyCurrentPage();
    void LoadSelections();

    // Menu commands.
    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
    void OnPreferences();
    void OnFileExit() { CloseSequence(); }
    void OnIntegrityCheck();
    void OnHelpFile();
    void OnAbout();
    void OnHistory(int32_t index);
    void CloseSequence();
    // The first show: the command-line file, or the last file when asked to.
    void OpenStartupFile();

    // The history submenu from the history lists; with none, the grayed
    // "(なし)" of the template stays.
    void BuildHistoryMenu(const COpenHistory& history);

    CStr_base<64> m_strProgramFolder;
    CEditorStartup m_startup;
    CUiFont m_editFont;
    CUiFont m_funcFont;
    std::unique_ptr<CMainPage> m_pages[kPageCount];
    int32_t m_nPage = -1;
    CDirectInputDlg m_directInput;
    FindDlg m_findDlg;
    CProjectJumpInfoDlg m_jumpInfoDlg;
    bool m_bStartupOpened = false;
    bool m_bClosed = false;         // the close sequence ended the dialog
    bool m_bInternalError = false;  // an internal error is being reported
};
