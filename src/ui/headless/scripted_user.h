// A person in code: while one exists, the program runs on the headless
// backend, and this person acts on its windows and answers its questions.
//
// Actions behave as the same action of a person would: they need a window
// that is shown and not blocked by a modal dialog it owns, and a control
// that is shown and enabled; an action that cannot be done returns false
// and is noted as a problem. After each action the posted messages are
// delivered, as the message loop would.
//
// Questions are answered from queues, in order: message boxes from the
// answers, file dialogs from the file answers, and every modal dialog from
// the next driver, which acts inside it and closes it; progress windows
// take a cancel from their own queue. Every question asked is recorded
// with its exact text, every progress window with its texts.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/str_base.h"
#include "ui/headless/headless_backend.h"

class CScriptedUser final : private CHeadlessPerson {
public:
    struct MessageBoxAsked {
        CStr_base<1024> text;
        UiButtons buttons;
        UiAnswer defaultButton;
        UiAnswer answer;
    };
    struct FileDialogAsked {
        bool save;
        CStr_base<64> title;  // empty when the platform's title was asked for
        CStr_base<64> initialName;
        CStr_base<64> filter;
        bool mustExist;
        bool confirmOverwrite;
        bool answered;
    };
    struct ShellOpened {
        CStr_base<64> verb, file, folder;
        std::vector<std::string> arguments;
    };
    struct ProgressRun {
        CStr_base<64> title, label;
        bool cancelled;  // by an answer given beforehand
        bool shown;      // the work outlasted the delay
    };
    using Driver = std::function<void(CDialogBase& dialog)>;

    // Chooses the headless backend; the destructor chooses none again.
    CScriptedUser();
    ~CScriptedUser() override;
    CScriptedUser(const CScriptedUser&) = delete;
    CScriptedUser& operator=(const CScriptedUser&) = delete;

    // Answers, each used once, in order. A message box with only OK needs
    // none: it takes a queued kOk if one is next, otherwise it is answered OK.
    void Answer(UiAnswer answer) { m_answers.push_back(answer); }
    // The next message box first lets `act` do what a person does while it
    // is open (in the program's other windows), then takes its answer.
    void WhileMessageBox(std::function<void()> act) { m_boxActions.push_back(std::move(act)); }
    // The next file dialog chooses the file of the native path `path`; null
    // cancels it.
    void AnswerFile(const char* path);
    // The next shell call returns `result` (otherwise 42, a success).
    void AnswerShell(int32_t result) { m_shellResults.push_back(result); }
    // The next progress window is cancelled before its work starts (so the
    // work sees the cancel flag from its first look); a progress window
    // without an answer lets its work run to the end.
    void CancelProgress() { m_progressAnswers.push_back(true); }
    // The next modal dialog is driven by `driver`; with a template number,
    // a dialog of another template is a problem and is cancelled.
    void OnModal(Driver driver, int32_t resource = 0);

    // What the program asked, in order.
    const std::vector<MessageBoxAsked>& MessageBoxes() const { return m_messageBoxes; }
    // The texts of the message boxes, taken out of the record.
    std::vector<std::string> TakeMessages();
    const std::vector<FileDialogAsked>& FileDialogs() const { return m_fileDialogs; }
    const std::vector<ShellOpened>& ShellCalls() const { return m_shellCalls; }
    const std::vector<ProgressRun>& ProgressRuns() const { return m_progressRuns; }
    // The problems noted so far, taken out of the record; unused answers
    // and drivers count as problems too.
    std::vector<std::string> TakeProblems();

    // Actions.
    bool Click(CDialogBase& dialog, int32_t id);          // button, check box
    bool SetCheck(CDialogBase& dialog, int32_t id, bool checked);  // clicks when the state differs
    bool Focus(CDialogBase& dialog, int32_t id);          // clicks into a control
    // Types into an edit or editable combo: replacing its whole text, or
    // replacing its selection (inserting at the caret).
    bool TypeText(CDialogBase& dialog, int32_t id, const char* text);
    bool TypeAtCaret(CDialogBase& dialog, int32_t id, const char* text);
    // Types Unicode, as an input method gives it, replacing the whole text:
    // what the file can hold arrives as its CP932 bytes (foundation/cp932.h,
    // TypedToCp932); a text with characters it cannot hold stays in the
    // control as typed (CHeadlessControl::typed), with "?" in their place
    // in its bytes, until the text changes again.
    bool TypeUnicode(CDialogBase& dialog, int32_t id, std::u32string_view text);
    // Selects bytes [start, end) of an edit with the mouse.
    bool SelectText(CDialogBase& dialog, int32_t id, uint32_t start, uint32_t end);
    bool Undo(CDialogBase& dialog, int32_t id);
    bool Select(CDialogBase& dialog, int32_t id, int32_t index);       // list, combo, tab
    bool DoubleClick(CDialogBase& dialog, int32_t id, int32_t index);  // list line
    // A key pressed in the dialog's window, to its focused control.
    bool PressKey(CDialogBase& dialog, UiKey key, bool ctrl = false, bool shift = false, bool alt = false);
    bool Close(CDialogBase& dialog);  // the close box
    bool Resize(CDialogBase& dialog, int32_t w, int32_t h);  // drags the border
    bool MoveTo(CDialogBase& dialog, int32_t x, int32_t y);  // drags the caption
    bool Maximize(CDialogBase& dialog);
    bool Restore(CDialogBase& dialog);
    bool ChooseMenu(CDialogBase& dialog, int32_t command);
    // The person waits: the timers that came due meanwhile post their
    // messages, which are delivered.
    void LetTimePass(uint32_t milliseconds);
    // The person turns to another program, and back to this one: every
    // top-level window hears it.
    void SwitchAway();
    void SwitchBack();

    // Looking.
    CHeadlessBackend& Backend() { return m_backend; }
    // The state of a control; raises the 32-bit signed value 0 when the
    // dialog has no window or no such control.
    const CHeadlessControl& Look(const CDialogBase& dialog, int32_t id) const;
    // The window of a dialog; raises the 32-bit signed value 0 when it has none.
    const CHeadlessWindow& LookAt(const CDialogBase& dialog) const;
    // The dialog whose window is active, or null.
    CDialogBase* ActiveDialog() const;

private:
    UiAnswer AnswerMessageBox(const char* text, UiButtons buttons, UiAnswer defaultButton) override;
    bool AnswerFileDialog(const CUiFileRequest& request, std::string& native) override;
    int32_t AnswerShellOpen(const char* verb, const char* file, const CStrArray_base<64>& arguments,
                            const char* folder) override;
    bool AnswerProgress(const char* title, const char* label) override;
    void ProgressShown() override;
    void DriveModal(CDialogBase& dialog) override;
    void Problem(const std::string& text) override { m_problems.push_back(text); }

    // The window, if the person can use it and its control `id` (unless 0);
    // otherwise notes why not and returns null.
    CHeadlessWindow* Usable(CDialogBase& dialog, int32_t id, const char* action);
    // A change of an edit's text made by the person; `typed`, when not
    // empty, is what the whole new text stands for.
    bool TypeInto(CDialogBase& dialog, int32_t id, const char* text, bool wholeText, std::u32string_view typed = {});
    // After a notification: the posted messages; true.
    bool Done();

    CHeadlessBackend m_backend;
    std::deque<UiAnswer> m_answers;
    std::deque<std::pair<bool, std::string>> m_files;  // chosen?, native path
    std::deque<int32_t> m_shellResults;
    std::deque<std::pair<Driver, int32_t>> m_drivers;
    std::deque<bool> m_progressAnswers;  // true: cancel
    std::deque<std::function<void()>> m_boxActions;
    std::vector<MessageBoxAsked> m_messageBoxes;
    std::vector<FileDialogAsked> m_fileDialogs;
    std::vector<ShellOpened> m_shellCalls;
    std::vector<ProgressRun> m_progressRuns;
    std::vector<std::string> m_problems;
};
