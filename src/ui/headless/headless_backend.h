// The headless backend: windows and controls in memory, driven by a person
// in code (ui/scripted_user.h) who answers the program's questions and acts
// inside its modal dialogs.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "ui/headless/headless_window.h"
#include "ui/ui_backend.h"

// What the headless backend needs of the person at the keyboard.
class CHeadlessPerson {
public:
    virtual ~CHeadlessPerson() = default;
    virtual UiAnswer AnswerMessageBox(const char* text, UiButtons buttons, UiAnswer defaultButton) = 0;
    virtual bool AnswerFileDialog(const CUiFileRequest& request, std::string& native) = 0;
    virtual int32_t AnswerShellOpen(const char* verb, const char* file, const CStrArray_base<64>& arguments,
                                    const char* folder) = 0;
    // A progress window is about to run work with `title` and `label`:
    // true cancels it before the work starts.
    virtual bool AnswerProgress(const char* title, const char* label) = 0;
    // The work of the last progress window outlasted the delay: the window
    // showed.
    virtual void ProgressShown() = 0;
    // Acts inside the modal dialog that has just been shown, and closes it.
    virtual void DriveModal(CDialogBase& dialog) = 0;
    // Something happened that a real person could not have done or seen:
    // a modal dialog left open, a question nobody answered.
    virtual void Problem(const std::string& text) = 0;
};

class CHeadlessBackend final : public CUiBackend {
public:
    explicit CHeadlessBackend(CHeadlessPerson& person) : m_person(person) {}
    // Windows still open live on without a backend.
    ~CHeadlessBackend() override;
    CHeadlessBackend(const CHeadlessBackend&) = delete;
    CHeadlessBackend& operator=(const CHeadlessBackend&) = delete;

    std::unique_ptr<CUiWindow> CreateWindow(CDialogBase& dialog, CUiWindow* owner, bool child) override;
    // Shows the window, delivers the posted messages and lets the person
    // drive the dialog. A dialog the person leaves open is a problem; it is
    // then closed as by its close box, or ended with kIdCancel.
    void RunModal(CUiWindow& window) override;
    void EndModal(CUiWindow& window) override;
    UiAnswer MessageBox(CUiWindow* owner, const char* text, UiButtons buttons, UiAnswer defaultButton) override;
    bool AskFileName(CUiWindow* owner, const CUiFileRequest& request, std::string& native) override;
    void ShowWaitCursor(bool on) override;
    int32_t ShellOpen(CUiWindow* owner, const char* verb, const char* file, const CStrArray_base<64>& arguments,
                      const char* folder) override;
    void Post(CUiWindow& window, uint32_t code) override;
    void StartTimer(CUiWindow& window, uint32_t code, uint32_t milliseconds) override;
    void StopTimer(CUiWindow& window, uint32_t code) override;
    // Asks the person first whether to cancel, then runs the work on its
    // thread while this one waits (no posted message is delivered
    // meanwhile); every window is blocked while the window shows.
    void RunProgress(CUiWindow* owner, CUiProgressJob& job) override;

    // Delivers the posted messages, oldest first, also those posted meanwhile.
    void Pump();
    // Time passes: each timer that came due meanwhile posts its message
    // once, however often it came due (as on Windows); Pump delivers them.
    void Elapse(uint32_t milliseconds);
    // The period of the timer `code` of `window`; 0 when none runs.
    uint32_t TimerPeriod(const CHeadlessWindow& window, uint32_t code) const;
    // The program becomes the active one (true) or another program does:
    // every top-level window hears it.
    void ActivateApp(bool active);

    // The window with this serial number, or null when it is gone.
    CHeadlessWindow* Find(uint64_t serial) const;
    // The window of `dialog`, or null.
    static CHeadlessWindow* WindowOf(const CDialogBase& dialog);
    // The window whose control has the keyboard focus, or null.
    CHeadlessWindow* FocusWindow() const { return m_pFocus; }
    void SetFocusWindow(CHeadlessWindow* window) { m_pFocus = window; }
    // `window` is hidden or goes: a focus inside it moves to the window's
    // owner (a page's parent), if that can take it.
    void FocusLeaves(CHeadlessWindow* window);
    const std::vector<CHeadlessWindow*>& Windows() const { return m_windows; }

    bool IsWaitCursorShown() const { return m_bWaitCursor; }
    uint32_t GetWaitCursorShows() const { return m_nWaitCursorShows; }

    // For the windows.
    uint64_t Register(CHeadlessWindow* window);
    void Unregister(CHeadlessWindow* window);

private:
    CHeadlessPerson& m_person;
    std::vector<CHeadlessWindow*> m_windows;  // in creation order
    std::deque<std::pair<uint64_t, uint32_t>> m_posted;  // window serial, code
    struct Timer {
        uint64_t serial;
        uint32_t code;
        uint32_t period;  // milliseconds
        uint64_t due;     // on the clock below
    };
    std::vector<Timer> m_timers;
    uint64_t m_nClock = 0;  // milliseconds passed
    uint64_t m_nNextSerial = 1;
    CHeadlessWindow* m_pFocus = nullptr;
    bool m_bWaitCursor = false;
    uint32_t m_nWaitCursorShows = 0;
};
