// The main dialog's guards against lost work: the recovery copy it keeps
// while changes are unsaved, the copies of earlier runs it offers at start,
// and the file changed on disk that it tells of when the user comes back.
#include <filesystem>

#include "foundation/native_path.h"
#include "shell/main_dlg.h"

CMainDlg::CRecoverySync::~CRecoverySync()
{
    if (main.m_recovery && !main.m_project.m_bModified)
        main.m_recovery->Remove();
    main.UpdateTitle();
}

void CMainDlg::MarkModified()
{
    const bool was = m_project.m_bModified;
    const bool edited = m_bPageEdited;
    m_project.m_bModified = true;
    // Until a step is recorded, the mark stands for typing not applied yet,
    // which 取り消し takes back first.
    m_bPageEdited = true;
    if (!edited)
        UpdateEditMenu();
    if (!was)
        UpdateTitle();
    if (m_recovery)
        m_recovery->Changed();
}

void CMainDlg::KeepRecoveryCopy()
{
    // While a question or another window waits, an operation may be half
    // done: the copy waits for the next period.
    if (!m_recovery || m_bClosed || m_nModalWait.IsWaiting())
        return;
    m_recovery->Keep(m_project);
}

bool CMainDlg::OfferRecoveryCopies()
{
    if (!m_recovery)
        return false;
    for (const CRecoveryCopy& copy : FindRecoveryCopies(NativePath(m_settings.GetFilePath()))) {
        std::error_code ignored;
        switch (Ask(RecoveryQuestion(copy), UiButtons::kYesNoCancel)) {
        case UiAnswer::kYes:
            // A copy that cannot be opened stays for the next start.
            if (!m_project.OpenRecoveryCopy(PathTextFromNative(copy.path), copy.origin))
                return false;
            // From now on this editor's own copy keeps the work.
            m_recovery->Changed();
            m_recovery->Keep(m_project);
            std::filesystem::remove(copy.path, ignored);
            return true;
        case UiAnswer::kNo:
            std::filesystem::remove(copy.path, ignored);
            break;
        default:
            break;
        }
    }
    return false;
}

void CMainDlg::OnActivateApp(bool active)
{
    // A question open now is answered first; the change is told when the
    // user comes back the next time.
    if (!active || !m_bStartupOpened || m_bClosed || m_nModalWait.IsWaiting())
        return;
    CStr_base<1024> question;
    if (!m_project.TakeDiskChange(question))
        return;
    CModalWaitScope wait(m_nModalWait);
    const CRecoverySync sync{*this};
    const UiAnswer reopen = Ask(question, UiButtons::kYesNo, IsModified() ? UiAnswer::kNo : UiAnswer::kYes);
    if (reopen != UiAnswer::kYes)
        return;
    const CStr_base<64> path(m_project.m_strFilePath);
    m_project.Open(path);
}
