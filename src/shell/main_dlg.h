// The main dialog: the tabs with one editing page at a time, the menu, the
// two tool windows, and for the whole run the document, the project, the
// rule table and the settings store. It is the project's host (every
// question, message and dialog of opening, saving and creating a project
// goes through it) and the context of the pages and tool windows.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/direct_input_dlg.h"
#include "app/open_history.h"
#include "app/page_context.h"
#include "document/merx_document.h"
#include "document/project_file.h"
#include "document/project_host.h"
#include "document/recovery_copy.h"
#include "document/rule_table.h"
#include "pages/main_page.h"
#include "shell/editor_startup.h"
#include "shell/main_dlg_template.h"
#include "tools/find_dlg.h"
#include "tools/project_jump_info_dlg.h"
#include "ui/dialog_base.h"

class CMainDlg : public CDialogBase, public CProjectHost, public CPageContext {
public:
    enum : int32_t { IDD = IDD_MAIN, IDC_TAB = IDC_MAIN_TAB };
    // Where a page's top left corner lies in the client area.
    enum : int32_t { kPageLeft = 20, kPageTop = 35 };
    enum : int32_t { kPageCount = 6, kItemTab = 0, kEventTab = 1, kFuncTab = 2, kDefineTab = 3, kSetTab = 4, kProjectTab = 5 };
    // The private message posted to itself each time the window is shown;
    // the first one opens the start-up file.
    static constexpr uint32_t kStartupOpenMessage = 0x7001;
    // The timer of the recovery copy (document/recovery_copy.h): at most
    // one copy every period.
    static constexpr uint32_t kRecoveryTimerMessage = 0x7002;
    static constexpr uint32_t kRecoveryPeriodMs = 30000;

    explicit CMainDlg(const CEditorStartup& startup);
    ~CMainDlg() override;

    CModalWait m_nModalWait;      // raised while another window waits for an answer
    CNotifyReady m_bNotifyReady;  // while clear, control changes do not mark the project
    // What the last apply of the current page came to: empty when it was
    // done, its messages (for a cancelled question "user cancel") when the
    // page refused. Filled by ApplyCurrentPage alone; never shown.
    const CStr_base<1024>& ApplyError() const { return m_strApplyError; }

    // Whether the first show has opened the start-up file (or found none to
    // open) and no question of that opening is still waiting.
    bool IsStartupDone() const { return m_bStartupOpened && !m_nModalWait.IsWaiting(); }
    bool IsModified() const { return m_project.m_bModified; }
    CMerxProject& Project() { return m_project; }
    // Where this editor keeps its recovery copy; empty without a settings file.
    std::string RecoveryCopy() const { return m_recovery ? m_recovery->Path() : std::string(); }

    // The tab whose page has a window (-1 for none), and that page.
    int32_t CurrentPageIndex() const { return m_nPage; }
    CMainPage* CurrentPage() { return m_nPage >= 0 && m_pages[m_nPage]->HasWindow() ? m_pages[m_nPage].get() : nullptr; }
    CMainPage& Page(int32_t tab) { return *m_pages[tab]; }
    // Puts another page object behind `tab` (tests put pages of their own
    // there); only while that tab shows no page.
    void SetPage(int32_t tab, std::unique_ptr<CMainPage> page);
    // The page switch: applies the current page (a refusal selects its tab
    // again and keeps it), then builds the page of the selected tab.
    void SwitchPage();

    void ShowFindReplace();
    void ShowToolResults();
    FindDlg& FindReplace() { return m_findDlg; }
    CProjectJumpInfoDlg& ToolResults() { return m_jumpInfoDlg; }
    CDirectInputDlg& DirectInput() { return m_directInput; }

    // CPageContext.
    CMerxDocument& Document() override { return m_doc; }
    CProjectInfo& ProjectInfo() override { return m_project.info; }
    const CAppliedRule& AppliedRule() const override { return m_project.applied; }
    const CStr_base<64>& FilePath() const override { return m_project.m_strFilePath; }
    CSettingsStore& Settings() override { return m_settings; }
    CModalWait& ModalWait() override { return m_nModalWait; }
    bool RefuseWhileWaiting() override;
    CNotifyReady& NotifyReady() override { return m_bNotifyReady; }
    // The current page's apply, its outcome kept in the apply-error text.
    CApplyResult ApplyCurrentPage() override;
    UiAnswer Ask(const char* text, UiButtons buttons, UiAnswer defaultButton = UiAnswer::kNone) override;
    const CStr_base<64>& ProgramFolder() const override { return m_strProgramFolder; }
    const CUiFont& EditFont() const override { return m_editFont; }
    const CUiFont& FunctionFont() const override { return m_funcFont; }
    bool RunDirectInput(CStr_base<16384>& text, CDirectInputCheck check) override;
    bool ShowElement(int32_t tab, int32_t index) override;
    CPageElement CurrentElement() override;
    void ReloadCurrentPage() override;
    void Record(CEditCommandPtr step, const char* name) override;
    void MarkModified() override;

    // CProjectHost.
    void ShowMessage(const char* text) override;
    bool AskYesNo(const char* text) override;
    CProjectAnswer AskYesNoCancel(const char* text) override;
    bool AskProjectInfo(const char* path, CProjectInfo& info) override;
    bool ReviewReaderMessages(const char* text, const char* messages, const CReaderRetry& retry) override;
    bool AskSavePath(const char* fileName, CStr_base<64>& path) override;
    bool AskOverwriteChanged(const char* path, const char* question) override;
    bool ApplyCurrentPage(CProjectInfo& info) override;
    void ShowProject(int32_t tab) override;
    void AddToHistory(const char* path) override;
    void EndProgram() override;

    // An exception escaped a handler: the internal-error message, and an
    // emergency copy of the document beside its data file.
    void OnInternalError(const char* what, const char* where);
    // Where that copy goes: the data file's path with ".recovered", or for
    // a project never saved the same name in the program folder.
    CStr_base<64> RecoveryPath() const;
    // A handler ran out of memory: the operation is refused with a message.
    // What the operations change in the document they make whole first, so
    // that the document stays as it was before.
    void OnOutOfMemory();

protected:
    bool OnInitDialog() override;
    // Enter and Escape do nothing; the close box runs the close sequence.
    void OnOK() override {}
    void OnCancel() override { CloseSequence(); }
    bool OnCommand(int32_t id, UiEvent event) override;
    bool PreTranslateMessage(const CUiMessage& message) override;
    void OnShowWindow(bool show) override;
    // The tab control fills the window and the page follows it.
    void OnSize(int32_t cx, int32_t cy) override;
    // Back from another program: a file changed on disk is told of once,
    // with the offer to open it again.
    void OnActivateApp(bool active) override;
    void OnDestroy() override;

private:
    void OnSelchangeTab() { SwitchPage(); }
    // The keys of the main window and its pages: Escape does nothing;
    // Ctrl+PageDown, Ctrl+PageUp, Ctrl+Tab and Ctrl+Shift+Tab switch tabs
    // (Ctrl+Tab not in a multi-line edit, which it leaves); F3 searches
    // again; in a page's list Delete, Alt+Up and Alt+Down press its "削除",
    // "↑" and "↓".
    bool Key(const CUiMessage& message);
    // The template entry of control `id` of `dialog`, or null.
    static const CUiControlTemplate* TemplateControl(const CDialogBase* dialog, int32_t id);
    // Selects the tab `step` away (round the end) and switches to it.
    void StepTab(int32_t step);
    // Where the current page lies: the place it was drawn at, stretched
    // with the window.
    CUiRect PageRect() const;
    void PlacePage(CMainPage& page);
    // The window's place, size and maximized state, kept in the settings
    // file; a first run keeps the place the window system gives.
    void RestorePlace();
    void StorePlace();
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
    // 取り消し and やり直し of the edit menu: one step of the project's undo
    // history (undo first takes back the page's edits not yet applied),
    // refused while another window waits; the element the step changed is
    // shown.
    void OnEditUndo();
    void OnEditRedo();
    void StepHistory(bool undo);
    // The modified mark after the history moved: set unless the document
    // is as it was saved.
    void FollowHistory();
    // The edit menu's items: enabled when there is a step, each naming it.
    void UpdateEditMenu();
    void CloseSequence();
    // The first show: the command-line file, or the last file when asked to.
    void OpenStartupFile();
    // The file to open at start: its page is built once it is read.
    void OpenStartupFileNow();
    // At start: offers the recovery copies that editors now gone left;
    // true when one was opened.
    bool OfferRecoveryCopies();
    // The recovery timer: the copy is written when there are changes it
    // lacks, and goes when nothing is unsaved.
    void KeepRecoveryCopy();
    // Ends a command that may save, open, or discard the project: the
    // recovery copy goes when nothing is unsaved any more.
    struct CRecoverySync {
        CMainDlg& main;
        ~CRecoverySync();
    };

    // The history submenu from the history lists; with none, the grayed
    // "(なし)" of the template stays.
    void BuildHistoryMenu(const COpenHistory& history);
    // The title: "[*]file name ― project name ― Tavaro Item Editor" (the
    // file name left out for a project never saved), the mark showing
    // while the project has unsaved changes.
    void UpdateTitle();
    // Where the file dialogs start: the folder of the open project, or of
    // the last one opened; empty for the platform's choice.
    CStr_base<64> StartFolder() const;

    CMerxDocument m_doc;
    CRuleTable m_rules;
    CSettingsStore m_settings;
    CMerxProject m_project;
    CStr_base<64> m_strProgramFolder;
    std::optional<CRecoveryKeeper> m_recovery;  // none without a settings file
    CEditorStartup m_startup;
    CUiFont m_editFont;
    CUiFont m_funcFont;
    std::unique_ptr<CMainPage> m_pages[kPageCount];
    int32_t m_nPage = -1;
    CDirectInputDlg m_directInput;
    CProjectJumpInfoDlg m_jumpInfoDlg;
    FindDlg m_findDlg;
    bool m_bStartupOpened = false;
    CStr_base<1024> m_strApplyError; // see ApplyError
    bool m_bPageEdited = false;     // the project was marked since the last step: typing not applied yet
    bool m_bClosed = false;         // the close sequence ended the dialog
    bool m_bInternalError = false;  // an internal error is being reported
};
