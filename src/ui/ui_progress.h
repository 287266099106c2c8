// Long work with a progress window: the work runs on a thread of its own
// while the calling (window) thread waits for it. When it has not ended
// after kUiProgressDelay, a progress window shows, modal over every window
// of the program, with a bar and one button, "キャンセル", that sets the
// work's cancel flag; the work looks at the flag and ends soon after.
//
// Meanwhile nothing else of the program runs: no input reaches its other
// windows and the private messages posted to them wait until the work has
// ended. So the work may read what the window thread changes (the
// document), and change none of it; the pattern engine serves both
// threads.
//
//     bool cancelled = UiRunWithProgress(SJ("検索中"), SJ("検索しています"),
//         [&](const std::atomic<bool>& cancel, const CUiProgressReport& report) {
//             for (uint32_t i = 0; i < n && !cancel; ++i) { Step(i); report(i + 1, n); }
//         }, this);
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

class CDialogBase;

// How long work runs before the progress window shows.
inline constexpr std::chrono::milliseconds kUiProgressDelay{500};

// The work tells how far it has come: `done` of `total` steps.
using CUiProgressReport = std::function<void(uint32_t done, uint32_t total)>;
using CUiProgressWork = std::function<void(const std::atomic<bool>& cancel, const CUiProgressReport& report)>;

// One run of work, as the backend sees it: started once, waited for, and
// cancelled through the progress window.
class CUiProgressJob {
public:
    CUiProgressJob(const char* title, const char* label, CUiProgressWork work);
    // Waits for the work's thread when it was started and not waited for.
    ~CUiProgressJob();
    CUiProgressJob(const CUiProgressJob&) = delete;
    CUiProgressJob& operator=(const CUiProgressJob&) = delete;

    const char* Title() const { return m_title; }
    const char* Label() const { return m_label; }

    // Starts the work on its thread (only the first call does).
    void Start();
    // Waits up to `timeout` for the work to end; true when it has.
    bool WaitFor(std::chrono::milliseconds timeout);
    // Waits until the work has ended (starting it if nobody did).
    void Wait();

    void Cancel() { m_cancel = true; }
    bool IsCancelled() const { return m_cancel; }
    // What the work reported last (0 of 0 before it reported).
    uint32_t Done() const { return m_nDone; }
    uint32_t Total() const { return m_nTotal; }

    // After Wait: an exception that left the work is raised again here.
    void RaiseFault();

private:
    void Run();

    const char* m_title;
    const char* m_label;
    CUiProgressWork m_work;
    std::atomic<bool> m_cancel{false};
    std::atomic<uint32_t> m_nDone{0};
    std::atomic<uint32_t> m_nTotal{0};
    std::mutex m_mutex;
    std::condition_variable m_ended;
    bool m_bStarted = false;
    bool m_bEnded = false;
    std::exception_ptr m_fault;
    std::thread m_thread;
};

// Runs `work` as described above, the progress window (if it shows) over
// `owner`'s window with `title` and `label` (CP932 texts). Returns whether
// the user cancelled. An exception that leaves the work leaves here.
bool UiRunWithProgress(const char* title, const char* label, const CUiProgressWork& work,
                       CDialogBase* owner = nullptr);
