#include "shell/main_dlg.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>

#include "app/startup_path.h"
#include "app/window_geometry.h"
#include "foundation/native_path.h"
#include "foundation/sjis_literal.h"
#include "pages/page_define.h"
#include "pages/page_event.h"
#include "pages/page_func.h"
#include "pages/page_item.h"
#include "pages/page_layout.h"
#include "pages/page_set.h"
#include "pattern/editor_matchers.h"
#include "settings/setting_keys.h"
#include "shell/main_dlg_template.h"
#include "shell/project_page.h"
#include "ui/list_buttons.h"
#include "ui/ui_entry.h"
#include "ui/ui_services.h"

namespace {

const char* const kTabCaptions[] = {"アイテム", "イベント", "関数", "定義", "配置", "プロジェクト"};

CUiFont GothicFont(int32_t points)
{
    CUiFont font;
    font.face = SJ("ＭＳ ゴシック");
    font.points = points;
    return font;
}

}  // namespace

CMainDlg::CMainDlg(const CEditorStartup& startup)
    : CDialogBase(MainDlgTemplate()),
      m_project(m_doc, m_rules, m_settings, *this, startup.programFolder),
      m_strProgramFolder(startup.programFolder),
      m_startup(startup),
      m_editFont(GothicFont(12)),
      m_funcFont(GothicFont(9)),
      m_directInput(m_settings, *this),
      m_jumpInfoDlg(*this),
      m_findDlg(*this, m_jumpInfoDlg)
{
    m_pages[kItemTab] = std::make_unique<Cpage_item>(*this);
    m_pages[kEventTab] = std::make_unique<Cpage_event>(*this);
    m_pages[kFuncTab] = std::make_unique<Cpage_func>(*this);
    m_pages[kDefineTab] = std::make_unique<Cpage_define>(*this);
    m_pages[kSetTab] = std::make_unique<Cpage_set>(*this);
    m_pages[kProjectTab] = std::make_unique<CProjectPage>(*this);
    m_directInput.SetFont(m_editFont);
    if (!startup.settingsPath.IsEmpty())
        m_settings.SetFilePath(startup.settingsPath);
    Bind(IDC_TAB, UiEvent::kSelChanged, &CMainDlg::OnSelchangeTab);
    Bind(ID_FILE_NEW, UiEvent::kClicked, &CMainDlg::OnFileNew);
    Bind(ID_FILE_OPEN, UiEvent::kClicked, &CMainDlg::OnFileOpen);
    Bind(ID_FILE_SAVE_AS, UiEvent::kClicked, &CMainDlg::OnFileSaveAs);
    Bind(ID_FILE_SAVE, UiEvent::kClicked, &CMainDlg::OnFileSave);
    Bind(ID_PREFERENCES, UiEvent::kClicked, &CMainDlg::OnPreferences);
    Bind(ID_FILE_EXIT, UiEvent::kClicked, &CMainDlg::OnFileExit);
    Bind(ID_FIND_REPLACE, UiEvent::kClicked, &CMainDlg::ShowFindReplace);
    Bind(ID_INTEGRITY_CHECK, UiEvent::kClicked, &CMainDlg::OnIntegrityCheck);
    Bind(ID_TOOL_RESULTS, UiEvent::kClicked, &CMainDlg::ShowToolResults);
    Bind(ID_HELP_FILE, UiEvent::kClicked, &CMainDlg::OnHelpFile);
    Bind(ID_ABOUT, UiEvent::kClicked, &CMainDlg::OnAbout);
    Bind(ID_EDIT_UNDO, UiEvent::kClicked, &CMainDlg::OnEditUndo);
    Bind(ID_EDIT_REDO, UiEvent::kClicked, &CMainDlg::OnEditRedo);
}

CMainDlg::~CMainDlg() { DestroyWindow(); }

bool CMainDlg::OnInitDialog()
{
    UiSetFaultHandler([this](const char* what, const char* where) { OnInternalError(what, where); });
    UiSetOutOfMemoryHandler([this] { OnOutOfMemory(); });
    SetIcon(IDI_PROGRAM);
    // The pattern engine's matcher 0 lives for the whole process.
    RegisterEditorMatchers();

    CStr_base<64> ruleFolder(m_strProgramFolder);
    ruleFolder.Append("/makeitem_rules");
    LoadRuleTable(m_rules, ruleFolder);
    m_settings.Load();
    if (!m_settings.GetFilePath().IsEmpty())
        m_recovery.emplace(RecoveryCopyPath(NativePath(m_settings.GetFilePath())));
    EnsureRootSection(m_settings, kCustomSection);
    if (const CSettingsStore::Value* folder = m_settings.GetValue(kLastCurrentDirectoryKey);
        folder && !folder->IsEmpty()) {
        std::error_code error;
        std::filesystem::current_path(NativePath(*folder), error);
    }
    m_project.m_bIncludeAsElement =
        IsSwitchOn(m_settings, kExtControlKey) && IsSwitchOn(m_settings, kIncludeFactorKey);
    RestorePlace();

    m_jumpInfoDlg.Create(this);
    m_findDlg.Create(this);

    m_project.ResetToDefaults(true);
    if (m_bClosed)
        return false;
    m_project.m_bModified = false;

    CUiControl tabs = Control(IDC_TAB);
    for (const char* caption : kTabCaptions)
        tabs.AddString(SjisLiteralBytes(caption).c_str());
    tabs.SetCurSel(0);
    LoadSelections();
    // A file named on the command line is opened once the window shows, and
    // its page is built then (OpenStartupFile): an empty page before it
    // would be built only to be thrown away.
    if (m_startup.commandLine.empty())
        CreateCurrentPage(0);
    else
        m_nPage = 0;

    EnsureRootSection(m_settings, kOpenHistorySection);
    COpenHistory history;
    ReadOpenHistory(m_settings, history);
    BuildHistoryMenu(history);
    SetTimer(kRecoveryTimerMessage, kRecoveryPeriodMs);
    return false;
}

void CMainDlg::OnShowWindow(bool show)
{
    if (show)
        PostMessage(kStartupOpenMessage);
}

bool CMainDlg::PreTranslateMessage(const CUiMessage& message)
{
    if (message.kind == UiMessageKind::kKey)
        return Key(message);
    if (message.kind != UiMessageKind::kPosted)
        return false;
    if (message.code == kRecoveryTimerMessage) {
        KeepRecoveryCopy();
        return true;
    }
    if (message.code != kStartupOpenMessage)
        return false;
    if (!m_bStartupOpened && !m_bClosed) {
        m_bStartupOpened = true;
        OpenStartupFile();
    }
    return true;
}

bool CMainDlg::Key(const CUiMessage& message)
{
    const CUiControlTemplate* focused = TemplateControl(message.dialog, message.control);
    const bool inList = focused && focused->kind == UiControlKind::kList;
    const bool inMultiLine = focused && focused->kind == UiControlKind::kEdit && (focused->style & kUiMultiLine);
    switch (message.key) {
    case UiKey::kEscape:
        // A stray Escape after a menu or in a field must not end the
        // program: only the close box and the exit command close it.
        return true;
    case UiKey::kPageDown:
    case UiKey::kPageUp:
        if (!message.ctrl || message.alt)
            return false;
        StepTab(message.key == UiKey::kPageDown ? 1 : -1);
        return true;
    case UiKey::kTab:
        // In a multi-line edit, where Tab is text, Ctrl+Tab leaves the edit.
        if (!message.ctrl || message.alt || inMultiLine)
            return false;
        StepTab(message.shift ? -1 : 1);
        return true;
    case UiKey::kF3:
        m_findDlg.FindAgain();
        return true;
    case UiKey::kDelete:
    case UiKey::kUp:
    case UiKey::kDown: {
        CMainPage* page = CurrentPage();
        if (!inList || message.dialog != page || (message.key != UiKey::kDelete) != message.alt)
            return false;
        const char* caption = message.key == UiKey::kDelete ? SJ("削除") : message.key == UiKey::kUp ? SJ("↑") : SJ("↓");
        const int32_t button = ListButton(page->Template(), message.control, caption);
        if (button && page->Control(button).IsEnabled())
            CUiEntry::Command(*page, button, UiEvent::kClicked);
        return button != 0;
    }
    default:
        return false;
    }
}

const CUiControlTemplate* CMainDlg::TemplateControl(const CDialogBase* dialog, int32_t id)
{
    if (dialog) {
        for (const CUiControlTemplate& control : dialog->Template().controls) {
            if (control.id == id)
                return &control;
        }
    }
    return nullptr;
}

void CMainDlg::StepTab(int32_t step)
{
    const int32_t from = Control(IDC_TAB).GetCurSel();
    Control(IDC_TAB).SetCurSel(((from < 0 ? 0 : from) + step + kPageCount) % kPageCount);
    SwitchPage();
}

void CMainDlg::OpenStartupFile()
{
    OpenStartupFileNow();
    // Whatever became of the file, the window shows the page of its tab.
    if (!m_bClosed && !CurrentPage())
        SwitchPage();
}

void CMainDlg::OpenStartupFileNow()
{
    CModalWaitScope wait(m_nModalWait);
    if (OfferRecoveryCopies())
        return;
    if (m_startup.commandLine.empty()) {
        const CSettingsStore::Value* last = m_settings.GetValue(kLastOpenFileKey);
        if (IsSwitchOn(m_settings, kRestoreOpenFileKey) && last && !last->IsEmpty()) {
            const CStr_base<64> path(*last);
            m_project.Open(path);
        }
        return;
    }
    const std::string native = CommandLinePath(m_startup.commandLine, m_startup.startFolder);
    if (native.empty())
        return;
    // Paths are Shift-JIS texts inside: a name they cannot hold is never
    // opened under another name.
    std::u32string unfit;
    if (const std::optional<CStr_base<64>> path = ExactPathText(native, unfit))
        m_project.Open(*path);
    else
        UiMessageBox(OpenFailedMessage(PathTextFromNative(native), UiUnfitFileNameReason(unfit)), UiButtons::kOk,
                     this);
}

void CMainDlg::SetPage(int32_t tab, std::unique_ptr<CMainPage> page)
{
    if (tab < 0 || tab >= kPageCount || tab == m_nPage || !page)
        return;
    m_pages[tab] = std::move(page);
}

void CMainDlg::LoadSelections()
{
    for (const std::unique_ptr<CMainPage>& page : m_pages)
        page->LoadSelection(m_project.info);
}

void CMainDlg::RestorePlace()
{
    CStr_base<64> width;
    width.Format("/%s/w", kMainDialogSection);
    if (FindSetting(m_settings, width))
        MoveWindow(ReadWindowRect(m_settings, kMainDialogSection));
    if (ReadWindowMaximized(m_settings, kMainDialogSection))
        ShowWindow(UiShow::kMaximize);
}

void CMainDlg::StorePlace()
{
    StoreWindowRect(m_settings, kMainDialogSection, GetNormalRect());
    StoreWindowMaximized(m_settings, kMainDialogSection, IsZoomed());
}

CUiRect CMainDlg::PageRect() const
{
    // The page keeps the margins it was drawn with inside the tab control.
    const CUiDialogTemplate& t = Template();
    const CUiSize client = GetClientSize();
    const int32_t right = t.client.w - kPageLeft - kItemPageClient.w;
    const int32_t bottom = t.client.h - kPageTop - kItemPageClient.h;
    return {kPageLeft, kPageTop, std::max(kItemPageClient.w, client.w - kPageLeft - right),
            std::max(kItemPageClient.h, client.h - kPageTop - bottom)};
}

void CMainDlg::OnSize(int32_t cx, int32_t cy)
{
    Control(IDC_TAB).Move({0, 0, cx, cy});
    if (CMainPage* page = CurrentPage())
        page->MoveWindow(PageRect());
}

void CMainDlg::PlacePage(CMainPage& page)
{
    page.MoveWindow(PageRect());
    page.ShowWindow(UiShow::kShow);
}

void CMainDlg::CreateCurrentPage(int32_t tab)
{
    CMainPage& page = *m_pages[tab];
    m_nPage = tab;
    page.CreateChild(*this);
    if (page.HasWindow())
        PlacePage(page);
}

void CMainDlg::DestroyCurrentPage()
{
    if (CMainPage* page = CurrentPage())
        page->DestroyWindow();
}

void CMainDlg::SwitchPage()
{
    CModalWaitScope wait(m_nModalWait);
    const int32_t selected = Control(IDC_TAB).GetCurSel();
    if (selected < 0 || selected >= kPageCount)
        return;
    if (CMainPage* page = CurrentPage()) {
        if (ApplyCurrentPage().IsRefused()) {
            Control(IDC_TAB).SetCurSel(m_nPage);
            return;
        }
        page->DestroyWindow();
        // What the page held is applied or gone with its window.
        m_bPageEdited = false;
        UpdateEditMenu();
    }
    CreateCurrentPage(selected);
}

void CMainDlg::CloseSequence()
{
    CModalWaitScope wait(m_nModalWait);
    if (m_project.SaveQuestion() == SAVE_QUESTION_STOP)
        return;
    if (m_recovery)
        m_recovery->Remove();
    DestroyCurrentPage();
    m_nPage = -1;
    m_jumpInfoDlg.DestroyWindow();
    StorePlace();
    m_settings.GetValueForWrite(kLastOpenFileKey)->Assign(m_project.m_strFilePath);
    // A folder whose name has no path text is not kept: its "?" could name another.
    std::u32string unfit;
    m_settings.GetValueForWrite(kLastCurrentDirectoryKey)
        ->Assign(ExactPathText(CurrentFolder(), unfit).value_or(CStr_base<64>()));
    if (!m_settings.Save()) {
        CStr_base<64> message;
        message.Format(SJ("設定ファイル\"%s\"に書き込めません。\n設定は保存されませんでした。"),
                       m_settings.GetFilePath().GetBuffer());
        UiMessageBox(message, UiButtons::kOk, this);
    }
    m_bClosed = true;
    EndDialog(kIdOk);
}

void CMainDlg::OnDestroy()
{
    UiSetFaultHandler(nullptr);
    UiSetOutOfMemoryHandler(nullptr);
}

bool CMainDlg::RefuseWhileWaiting()
{
    if (!m_nModalWait.IsWaiting())
        return false;
    UiMessageBox(SJ("現在他のウィンドウの応答待ちのため、操作を実行できません。\n"
                    "メッセージボックスや直接入力ウィンドウを閉じてから再度実行してください。"),
                 UiButtons::kOk, this);
    return true;
}

bool CMainDlg::ShowElement(int32_t tab, int32_t index)
{
    if (tab < 0 || tab >= kPageCount)
        return false;
    if (tab == m_nPage && CurrentPage()) {
        m_pages[tab]->SelectElement(index);
        return true;
    }
    Control(IDC_TAB).SetCurSel(tab);
    m_pages[tab]->SelectElement(index);
    SwitchPage();
    return m_nPage == tab;
}

CPageElement CMainDlg::CurrentElement()
{
    CMainPage* page = CurrentPage();
    return page ? CPageElement{m_nPage, page->CurrentElement()} : CPageElement{};
}

CApplyResult CMainDlg::ApplyCurrentPage()
{
    m_strApplyError.Release();
    CMainPage* page = CurrentPage();
    if (!page)
        return {};
    CApplyResult result = page->Apply();
    if (result.IsCancelled())
        m_strApplyError.Assign("user cancel");
    else if (result.IsRefused())
        m_strApplyError.Assign(result.Messages());
    return result;
}

void CMainDlg::ReloadCurrentPage()
{
    if (CMainPage* page = CurrentPage())
        page->Reload();
}
