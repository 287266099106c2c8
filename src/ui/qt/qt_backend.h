// The Qt backend: the window layer on Qt Widgets, for people. Runs on any
// platform plugin of Qt (xcb, wayland, offscreen).
//
// Modal loops nest: RunModal runs a QEventLoop of its own, so a question
// asked in the middle of a handler returns its answer there. A window with
// an owner is window-modal to it while its loop runs; the owner's other
// owned windows stay usable as far as the window system allows.
//
// Services: message boxes are QMessageBox (Japanese button texts, Enter
// takes the default button, Escape the Cancel button where there is one);
// file dialogs are QFileDialog with the layer's filter converted
// (qt_file_filter.h); the wait cursor is the application's override
// cursor; ShellOpen opens documents with QDesktopServices and starts
// programs (and anything given arguments) with QProcess; the progress
// window is a QProgressDialog (qt_progress.h), and while a job runs the
// posted messages wait in the backend. Qt's application state tells the
// windows when the program becomes the active one.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <utility>
#include <vector>

#include "ui/ui_backend.h"

class CQtWindow;
class QApplication;
class QObject;
class QTimer;
class QTranslator;
class QWidget;

class CQtBackend final : public CUiBackend {
public:
    // Uses the running QApplication, or starts one that lives as long as
    // the backend, and gives Qt's own texts in Japanese where Qt's
    // translation is installed (ui/qt/qt_translation.h). Windows still open
    // when the backend goes live on without one; their widgets go with the
    // application.
    CQtBackend();
    ~CQtBackend() override;
    CQtBackend(const CQtBackend&) = delete;
    CQtBackend& operator=(const CQtBackend&) = delete;

    std::unique_ptr<CUiWindow> CreateWindow(CDialogBase& dialog, CUiWindow* owner, bool child) override;
    void RunModal(CUiWindow& window) override;
    void EndModal(CUiWindow& window) override;
    UiAnswer MessageBox(CUiWindow* owner, const char* text, UiButtons buttons, UiAnswer defaultButton) override;
    bool AskFileName(CUiWindow* owner, const CUiFileRequest& request, std::string& native) override;
    void ShowWaitCursor(bool on) override;
    int32_t ShellOpen(CUiWindow* owner, const char* verb, const char* file, const CStrArray_base<64>& arguments,
                      const char* folder) override;
    void Post(CUiWindow& window, uint32_t code) override;
    // A QTimer whose every timeout posts the message; held like any other
    // while a job runs.
    void StartTimer(CUiWindow& window, uint32_t code, uint32_t milliseconds) override;
    void StopTimer(CUiWindow& window, uint32_t code) override;
    void RunProgress(CUiWindow* owner, CUiProgressJob& job) override;

    // Runs the events that are due, posted messages and deferred deletions
    // included (for tests and for leaving cleanly).
    void Flush();

    // The window with this serial number, or null when it is gone.
    CQtWindow* Find(uint64_t serial) const;
    // Every window of the backend, oldest first.
    const std::vector<CQtWindow*>& Windows() const { return m_windows; }
    // The window of `dialog`, or null.
    static CQtWindow* WindowOf(const CDialogBase& dialog);
    // The innermost window whose client area holds `widget`, or null.
    CQtWindow* WindowHolding(const QWidget* widget) const;
    // For the post box: while a job runs, a posted message waits here
    // (true); it is posted again when the job has ended.
    bool HoldPosted(uint64_t serial, uint32_t code);

    // For the windows.
    uint64_t Register(CQtWindow* window);
    void Unregister(CQtWindow* window);

private:
    // The application's state changed (Qt's applicationStateChanged): on a
    // change between active and not, every top-level window hears it.
    void ApplicationActive(bool active);

    struct Timer {
        uint64_t serial;
        uint32_t code;
        std::unique_ptr<QTimer> timer;
    };

    std::unique_ptr<QApplication> m_pApp;
    std::unique_ptr<QTranslator> m_pTranslator;  // null without the translation
    std::unique_ptr<QObject> m_pKeyFilter;
    std::unique_ptr<QObject> m_pPostBox;
    std::vector<CQtWindow*> m_windows;
    uint64_t m_nNextSerial = 1;
    bool m_bWaitCursor = false;
    int32_t m_nJobs = 0;  // jobs running
    std::deque<std::pair<uint64_t, uint32_t>> m_held;  // window serial, code
    std::vector<Timer> m_timers;
    bool m_bActive = false;  // the program is the active one
};
