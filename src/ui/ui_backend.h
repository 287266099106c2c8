// The backend: the platform's user interface behind the window layer. One is
// chosen at run time (headless for tests and scripted runs, a real toolkit
// for people); dialogs never see which. When the program becomes the active
// one or stops being it, the backend tells every top-level window through
// CUiEntry::ActivateApp.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "foundation/str_array.h"
#include "foundation/str_base.h"
#include "ui/ui_types.h"
#include "ui/ui_window.h"

class CUiProgressJob;

// Failures of the shell: the file is not there; no program opens it.
inline constexpr int32_t kUiShellFileNotFound = 2;
inline constexpr int32_t kUiShellNoProgram = 31;

// What a file dialog asks for. The read-only box is never shown and no
// extension is added to a name typed without one.
struct CUiFileRequest {
    bool save = false;             // the save dialog; otherwise the open dialog
    const char* title = nullptr;   // null: the platform's own title
    const char* initialName = "";  // the file name offered first
    const char* filter = "";       // "name|pattern|name|pattern||" (ui/file_filter.h)
    bool mustExist = false;        // open: only an existing file can be chosen
    bool confirmOverwrite = false; // save: ask before an existing file is replaced
};

class CUiBackend {
public:
    virtual ~CUiBackend() = default;

    // Builds the hidden window of `dialog` from its template, owned by
    // `owner` (none for null), or inside it as a child page when `child`.
    virtual std::unique_ptr<CUiWindow> CreateWindow(CDialogBase& dialog, CUiWindow* owner, bool child) = 0;
    // Shows the window and runs a nested loop until EndModal(window); the
    // window's owner cannot be used meanwhile.
    virtual void RunModal(CUiWindow& window) = 0;
    virtual void EndModal(CUiWindow& window) = 0;

    // Runs a message box and returns the button chosen.
    virtual UiAnswer MessageBox(CUiWindow* owner, const char* text, UiButtons buttons, UiAnswer defaultButton) = 0;
    // Runs a file dialog; true with the chosen file's full native path (the
    // file system's name, foundation/native_path.h), false when cancelled.
    virtual bool AskFileName(CUiWindow* owner, const CUiFileRequest& request, std::string& native) = 0;
    virtual void ShowWaitCursor(bool on) = 0;
    // Asks the shell to perform `verb` on a document or program; a result
    // of 32 or less is a failure (kUiShellFileNotFound, kUiShellNoProgram).
    virtual int32_t ShellOpen(CUiWindow* owner, const char* verb, const char* file,
                              const CStrArray_base<64>& arguments, const char* folder) = 0;
    // Queues a private message; it reaches the dialog's key filter
    // (PreTranslateMessage) when the loop takes it, and is dropped if the
    // filter does not take it or the window is gone by then.
    virtual void Post(CUiWindow& window, uint32_t code) = 0;
    // Posts `code` to `window` as Post does every `milliseconds`, until
    // StopTimer with the same code or until the window goes; a timer of a
    // code that runs already starts again with the new period.
    virtual void StartTimer(CUiWindow& window, uint32_t code, uint32_t milliseconds) = 0;
    virtual void StopTimer(CUiWindow& window, uint32_t code) = 0;
    // Starts `job` (ui/ui_progress.h) and returns when it has ended; no
    // input and no posted message reaches a window meanwhile. After
    // kUiProgressDelay the progress window shows, modal over every window,
    // `owner`'s (none for null) in front: the job's title and label, a bar
    // of its progress, and "キャンセル", which cancels the job.
    virtual void RunProgress(CUiWindow* owner, CUiProgressJob& job) = 0;
};

// Chooses the backend (null for none).
void UiSetBackend(CUiBackend* backend);
// The chosen backend; raises the 32-bit signed value 0 when there is none.
CUiBackend& UiBackend();
