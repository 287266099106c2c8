#include "ui/headless/headless_backend.h"

#include <algorithm>

#include "foundation/cp932.h"
#include "ui/dialog_base.h"
#include "ui/ui_entry.h"
#include "ui/ui_progress.h"

namespace {

std::string Describe(const CHeadlessWindow& window)
{
    return "\"" + Cp932ToUtf8(window.GetCaption()) + "\" (template " +
           std::to_string(window.Dialog().Template().resource) + ")";
}

}  // namespace

CHeadlessBackend::~CHeadlessBackend()
{
    for (CHeadlessWindow* window : m_windows)
        window->Orphan();
}

std::unique_ptr<CUiWindow> CHeadlessBackend::CreateWindow(CDialogBase& dialog, CUiWindow* owner, bool child)
{
    return std::make_unique<CHeadlessWindow>(*this, dialog, dynamic_cast<CHeadlessWindow*>(owner), child);
}

void CHeadlessBackend::RunModal(CUiWindow& window)
{
    CHeadlessWindow& modal = static_cast<CHeadlessWindow&>(window);
    CDialogBase& dialog = modal.Dialog();
    const uint64_t serial = modal.Serial();
    CHeadlessWindow* blocked = modal.Owner() ? modal.Owner()->TopLevel() : nullptr;
    const uint64_t blockedSerial = blocked ? blocked->Serial() : 0;
    if (blocked)
        blocked->Block(+1);

    auto open = [&] {
        CHeadlessWindow* w = Find(serial);
        return w && !w->IsEnded();
    };
    modal.Show(UiShow::kShow);
    Pump();
    if (open())
        m_person.DriveModal(dialog);
    if (open()) {
        m_person.Problem("the modal dialog " + Describe(*Find(serial)) + " was left open");
        CUiEntry::Command(dialog, kIdCancel, UiEvent::kClicked);
        if (open())
            dialog.EndDialog(kIdCancel);
    }

    if (CHeadlessWindow* w = Find(blockedSerial))
        w->Block(-1);
}

void CHeadlessBackend::EndModal(CUiWindow& window)
{
    CHeadlessWindow& modal = static_cast<CHeadlessWindow&>(window);
    modal.SetEnded();
    modal.Show(UiShow::kHide);
}

UiAnswer CHeadlessBackend::MessageBox(CUiWindow*, const char* text, UiButtons buttons, UiAnswer defaultButton)
{
    return m_person.AnswerMessageBox(text, buttons, defaultButton);
}

bool CHeadlessBackend::AskFileName(CUiWindow*, const CUiFileRequest& request, std::string& native)
{
    return m_person.AnswerFileDialog(request, native);
}

void CHeadlessBackend::ShowWaitCursor(bool on)
{
    m_bWaitCursor = on;
    if (on)
        ++m_nWaitCursorShows;
}

int32_t CHeadlessBackend::ShellOpen(CUiWindow*, const char* verb, const char* file,
                                    const CStrArray_base<64>& arguments, const char* folder)
{
    return m_person.AnswerShellOpen(verb, file, arguments, folder);
}

void CHeadlessBackend::Post(CUiWindow& window, uint32_t code)
{
    m_posted.emplace_back(static_cast<CHeadlessWindow&>(window).Serial(), code);
}

void CHeadlessBackend::StartTimer(CUiWindow& window, uint32_t code, uint32_t milliseconds)
{
    StopTimer(window, code);
    m_timers.push_back({static_cast<CHeadlessWindow&>(window).Serial(), code, std::max(milliseconds, 1u),
                        m_nClock + std::max(milliseconds, 1u)});
}

void CHeadlessBackend::StopTimer(CUiWindow& window, uint32_t code)
{
    const uint64_t serial = static_cast<CHeadlessWindow&>(window).Serial();
    std::erase_if(m_timers, [&](const Timer& timer) { return timer.serial == serial && timer.code == code; });
}

void CHeadlessBackend::Elapse(uint32_t milliseconds)
{
    m_nClock += milliseconds;
    for (Timer& timer : m_timers) {
        if (timer.due > m_nClock)
            continue;
        m_posted.emplace_back(timer.serial, timer.code);
        timer.due += (m_nClock - timer.due) / timer.period * timer.period + timer.period;
    }
}

uint32_t CHeadlessBackend::TimerPeriod(const CHeadlessWindow& window, uint32_t code) const
{
    for (const Timer& timer : m_timers) {
        if (timer.serial == window.Serial() && timer.code == code)
            return timer.period;
    }
    return 0;
}

void CHeadlessBackend::ActivateApp(bool active)
{
    std::vector<uint64_t> serials;
    for (CHeadlessWindow* window : m_windows) {
        if (window->TopLevel() == window)
            serials.push_back(window->Serial());
    }
    // A window may go while another hears it.
    for (uint64_t serial : serials) {
        if (CHeadlessWindow* window = Find(serial))
            CUiEntry::ActivateApp(window->Dialog(), active);
    }
}

void CHeadlessBackend::RunProgress(CUiWindow*, CUiProgressJob& job)
{
    if (m_person.AnswerProgress(job.Title(), job.Label()))
        job.Cancel();
    job.Start();
    if (job.WaitFor(kUiProgressDelay))
        return;
    m_person.ProgressShown();
    std::vector<uint64_t> blocked;
    for (CHeadlessWindow* window : m_windows) {
        if (window->TopLevel() == window) {
            window->Block(+1);
            blocked.push_back(window->Serial());
        }
    }
    job.Wait();
    for (uint64_t serial : blocked) {
        if (CHeadlessWindow* window = Find(serial))
            window->Block(-1);
    }
}

void CHeadlessBackend::Pump()
{
    while (!m_posted.empty()) {
        const auto [serial, code] = m_posted.front();
        m_posted.pop_front();
        CHeadlessWindow* window = Find(serial);
        if (!window)
            continue;
        CUiMessage message;
        message.kind = UiMessageKind::kPosted;
        message.code = code;
        message.dialog = &window->Dialog();
        CUiEntry::Filter(window->Dialog(), message);
    }
}

CHeadlessWindow* CHeadlessBackend::Find(uint64_t serial) const
{
    for (CHeadlessWindow* window : m_windows) {
        if (window->Serial() == serial)
            return window;
    }
    return nullptr;
}

CHeadlessWindow* CHeadlessBackend::WindowOf(const CDialogBase& dialog)
{
    return dynamic_cast<CHeadlessWindow*>(CUiEntry::Window(dialog));
}

void CHeadlessBackend::FocusLeaves(CHeadlessWindow* window)
{
    for (CHeadlessWindow* w = m_pFocus; w; w = w->IsChild() ? w->Owner() : nullptr) {
        if (w == window) {
            m_pFocus = nullptr;
            if (CHeadlessWindow* owner = window->Owner())
                owner->Activate();
            return;
        }
    }
}

uint64_t CHeadlessBackend::Register(CHeadlessWindow* window)
{
    m_windows.push_back(window);
    return m_nNextSerial++;
}

void CHeadlessBackend::Unregister(CHeadlessWindow* window)
{
    FocusLeaves(window);
    if (m_pFocus == window)
        m_pFocus = nullptr;
    m_windows.erase(std::remove(m_windows.begin(), m_windows.end(), window), m_windows.end());
    std::erase_if(m_timers, [window](const Timer& timer) { return timer.serial == window->Serial(); });
    for (CHeadlessWindow* other : m_windows)
        other->Forget(window);
}
