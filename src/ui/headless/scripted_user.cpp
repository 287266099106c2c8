#include "ui/headless/scripted_user.h"

#include "foundation/cp932.h"
#include "ui/dialog_base.h"
#include "ui/ui_entry.h"

namespace {

std::string Describe(const CDialogBase& dialog)
{
    const CUiWindow* window = CUiEntry::Window(dialog);
    return "\"" + Cp932ToUtf8(window ? window->GetCaption() : dialog.Template().caption) + "\" (template " +
           std::to_string(dialog.Template().resource) + ")";
}

UiAnswer FirstButton(UiButtons buttons)
{
    return buttons == UiButtons::kOk || buttons == UiButtons::kOkCancel ? UiAnswer::kOk : UiAnswer::kYes;
}

bool HasButton(UiButtons buttons, UiAnswer answer)
{
    switch (buttons) {
    case UiButtons::kOk:
        return answer == UiAnswer::kOk;
    case UiButtons::kOkCancel:
        return answer == UiAnswer::kOk || answer == UiAnswer::kCancel;
    case UiButtons::kYesNo:
        return answer == UiAnswer::kYes || answer == UiAnswer::kNo;
    case UiButtons::kYesNoCancel:
        return answer == UiAnswer::kYes || answer == UiAnswer::kNo || answer == UiAnswer::kCancel;
    }
    return false;
}

}  // namespace

CScriptedUser::CScriptedUser() : m_backend(*this) { UiSetBackend(&m_backend); }

CScriptedUser::~CScriptedUser() { UiSetBackend(nullptr); }

void CScriptedUser::AnswerFile(const char* path) { m_files.emplace_back(path != nullptr, path ? path : ""); }

void CScriptedUser::OnModal(Driver driver, int32_t resource) { m_drivers.emplace_back(std::move(driver), resource); }

std::vector<std::string> CScriptedUser::TakeMessages()
{
    std::vector<std::string> texts;
    for (const MessageBoxAsked& asked : m_messageBoxes)
        texts.push_back(Cp932ToUtf8(asked.text.GetBuffer()));
    m_messageBoxes.clear();
    return texts;
}

std::vector<std::string> CScriptedUser::TakeProblems()
{
    if (!m_answers.empty())
        m_problems.push_back(std::to_string(m_answers.size()) + " message-box answers were not used");
    if (!m_files.empty())
        m_problems.push_back(std::to_string(m_files.size()) + " file-dialog answers were not used");
    if (!m_shellResults.empty())
        m_problems.push_back(std::to_string(m_shellResults.size()) + " shell results were not used");
    if (!m_drivers.empty())
        m_problems.push_back(std::to_string(m_drivers.size()) + " modal drivers were not used");
    if (!m_progressAnswers.empty())
        m_problems.push_back(std::to_string(m_progressAnswers.size()) + " progress answers were not used");
    if (!m_boxActions.empty())
        m_problems.push_back(std::to_string(m_boxActions.size()) + " message-box actions were not used");
    m_answers.clear();
    m_files.clear();
    m_shellResults.clear();
    m_drivers.clear();
    m_progressAnswers.clear();
    m_boxActions.clear();
    std::vector<std::string> problems;
    problems.swap(m_problems);
    return problems;
}

UiAnswer CScriptedUser::AnswerMessageBox(const char* text, UiButtons buttons, UiAnswer defaultButton)
{
    if (!m_boxActions.empty()) {
        const std::function<void()> act = std::move(m_boxActions.front());
        m_boxActions.pop_front();
        act();
    }
    const UiAnswer fallback = HasButton(buttons, defaultButton) ? defaultButton : FirstButton(buttons);
    UiAnswer answer = fallback;
    if (buttons == UiButtons::kOk) {
        if (!m_answers.empty() && m_answers.front() == UiAnswer::kOk)
            m_answers.pop_front();
    } else if (m_answers.empty()) {
        Problem("nobody answered the message box \"" + Cp932ToUtf8(text) + "\"");
    } else {
        answer = m_answers.front();
        m_answers.pop_front();
        if (!HasButton(buttons, answer)) {
            Problem("the message box \"" + Cp932ToUtf8(text) + "\" has no button for the answer given");
            answer = fallback;
        }
    }
    m_messageBoxes.push_back({CStr_base<1024>(text), buttons, defaultButton, answer});
    return answer;
}

bool CScriptedUser::AnswerFileDialog(const CUiFileRequest& request, std::string& native)
{
    FileDialogAsked asked{request.save,
                          CStr_base<64>(request.title),
                          CStr_base<64>(request.initialName),
                          CStr_base<64>(request.filter),
                          request.mustExist,
                          request.confirmOverwrite,
                          false};
    if (m_files.empty()) {
        Problem("nobody answered a file dialog");
    } else {
        asked.answered = m_files.front().first;
        if (asked.answered)
            native = m_files.front().second;
        m_files.pop_front();
    }
    m_fileDialogs.push_back(asked);
    return asked.answered;
}

int32_t CScriptedUser::AnswerShellOpen(const char* verb, const char* file, const CStrArray_base<64>& arguments,
                                       const char* folder)
{
    ShellOpened& call = m_shellCalls.emplace_back();
    call.verb.Assign(verb);
    call.file.Assign(file);
    call.folder.Assign(folder);
    for (const CStr_base<64>& argument : arguments)
        call.arguments.emplace_back(argument.GetBuffer(), argument.GetLength());
    if (m_shellResults.empty())
        return 42;
    const int32_t result = m_shellResults.front();
    m_shellResults.pop_front();
    return result;
}

bool CScriptedUser::AnswerProgress(const char* title, const char* label)
{
    bool cancel = false;
    if (!m_progressAnswers.empty()) {
        cancel = m_progressAnswers.front();
        m_progressAnswers.pop_front();
    }
    m_progressRuns.push_back({CStr_base<64>(title), CStr_base<64>(label), cancel, false});
    return cancel;
}

void CScriptedUser::ProgressShown()
{
    if (!m_progressRuns.empty())
        m_progressRuns.back().shown = true;
}

void CScriptedUser::DriveModal(CDialogBase& dialog)
{
    if (m_drivers.empty()) {
        Problem("nobody drove the modal dialog " + Describe(dialog));
        CUiEntry::Command(dialog, kIdCancel, UiEvent::kClicked);
        return;
    }
    const auto [driver, resource] = m_drivers.front();
    m_drivers.pop_front();
    if (resource && resource != dialog.Template().resource) {
        Problem("the modal dialog " + Describe(dialog) + " opened where template " + std::to_string(resource) +
                " was expected");
        CUiEntry::Command(dialog, kIdCancel, UiEvent::kClicked);
        return;
    }
    driver(dialog);
}

CHeadlessWindow* CScriptedUser::Usable(CDialogBase& dialog, int32_t id, const char* action)
{
    CHeadlessWindow* window = CHeadlessBackend::WindowOf(dialog);
    std::string why;
    if (!window)
        why = "has no window";
    else if (!window->IsUsable())
        why = "is hidden or waits for a modal dialog";
    if (window && why.empty() && id) {
        const CHeadlessControl* control = window->FindControl(id);
        if (!control)
            why = "has no control " + std::to_string(id);
        else if (!control->visible)
            why = "shows no control " + std::to_string(id);
        else if (!control->enabled)
            why = "has control " + std::to_string(id) + " disabled";
    }
    if (why.empty())
        return window;
    Problem(std::string(action) + ": " + Describe(dialog) + " " + why);
    return nullptr;
}

bool CScriptedUser::Done()
{
    m_backend.Pump();
    return true;
}

bool CScriptedUser::Click(CDialogBase& dialog, int32_t id)
{
    CHeadlessWindow* window = Usable(dialog, id, "click");
    if (!window)
        return false;
    CHeadlessControl& control = window->Control(id);
    if (control.kind != UiControlKind::kButton && control.kind != UiControlKind::kCheck) {
        Problem("click: control " + std::to_string(id) + " of " + Describe(dialog) + " is no button");
        return false;
    }
    if (control.kind == UiControlKind::kCheck)
        control.checked = !control.checked;
    window->Focus(id);
    CUiEntry::Command(dialog, id, UiEvent::kClicked);
    return Done();
}

bool CScriptedUser::SetCheck(CDialogBase& dialog, int32_t id, bool checked)
{
    CHeadlessWindow* window = Usable(dialog, id, "check");
    if (!window)
        return false;
    return window->Control(id).checked == checked || Click(dialog, id);
}

bool CScriptedUser::Focus(CDialogBase& dialog, int32_t id)
{
    CHeadlessWindow* window = Usable(dialog, id, "focus");
    if (!window)
        return false;
    window->Focus(id);
    return Done();
}

bool CScriptedUser::TypeInto(CDialogBase& dialog, int32_t id, const char* text, bool wholeText,
                             std::u32string_view typed)
{
    CHeadlessWindow* window = Usable(dialog, id, "type");
    if (!window)
        return false;
    CHeadlessControl& control = window->Control(id);
    if (!control.IsEdit() || control.readOnly) {
        Problem("type: control " + std::to_string(id) + " of " + Describe(dialog) + " takes no typing");
        return false;
    }
    if (!wholeText && !control.typed.empty()) {
        // The bytes of such a text are no text: typing into them would
        // make its "?" real.
        Problem("type: control " + std::to_string(id) + " of " + Describe(dialog) +
                " holds text the file cannot hold; type its whole text");
        return false;
    }
    window->Focus(id);
    if (wholeText)
        control.Select(0, kUiTextEnd);
    control.Replace(text, true, true);
    control.typed = typed;
    CUiEntry::Command(dialog, id, UiEvent::kChanged);
    return Done();
}

bool CScriptedUser::TypeText(CDialogBase& dialog, int32_t id, const char* text)
{
    return TypeInto(dialog, id, text, true);
}

bool CScriptedUser::TypeAtCaret(CDialogBase& dialog, int32_t id, const char* text)
{
    return TypeInto(dialog, id, text, false);
}

bool CScriptedUser::TypeUnicode(CDialogBase& dialog, int32_t id, std::u32string_view text)
{
    const CTypedCp932 typed = TypedToCp932(text);
    return TypeInto(dialog, id, typed.bytes.c_str(), true, typed.refused.empty() ? std::u32string_view() : text);
}

bool CScriptedUser::SelectText(CDialogBase& dialog, int32_t id, uint32_t start, uint32_t end)
{
    CHeadlessWindow* window = Usable(dialog, id, "select text");
    if (!window)
        return false;
    CHeadlessControl& control = window->Control(id);
    if (!control.IsEdit()) {
        Problem("select text: control " + std::to_string(id) + " of " + Describe(dialog) + " is no edit");
        return false;
    }
    window->Focus(id);
    control.Select(start, end);
    return Done();
}

bool CScriptedUser::Undo(CDialogBase& dialog, int32_t id)
{
    CHeadlessWindow* window = Usable(dialog, id, "undo");
    if (!window)
        return false;
    CHeadlessControl& control = window->Control(id);
    if (!control.IsEdit() || control.readOnly || !control.Undo())
        return false;
    window->Focus(id);
    CUiEntry::Command(dialog, id, UiEvent::kChanged);
    return Done();
}

bool CScriptedUser::Select(CDialogBase& dialog, int32_t id, int32_t index)
{
    CHeadlessWindow* window = Usable(dialog, id, "select");
    if (!window)
        return false;
    CHeadlessControl& control = window->Control(id);
    if (!control.HasItems() || index < 0 || static_cast<uint32_t>(index) >= control.items.size()) {
        Problem("select: control " + std::to_string(id) + " of " + Describe(dialog) + " has no item " +
                std::to_string(index));
        return false;
    }
    control.SelectItem(index);
    window->Focus(id);
    CUiEntry::Command(dialog, id, UiEvent::kSelChanged);
    return Done();
}

bool CScriptedUser::DoubleClick(CDialogBase& dialog, int32_t id, int32_t index)
{
    CHeadlessWindow* window = Usable(dialog, id, "double-click");
    if (!window)
        return false;
    if (window->Control(id).kind != UiControlKind::kList) {
        Problem("double-click: control " + std::to_string(id) + " of " + Describe(dialog) + " is no list");
        return false;
    }
    const uint64_t serial = window->Serial();
    if (!Select(dialog, id, index))
        return false;
    if (!m_backend.Find(serial) || !window->IsUsable())
        return true;
    CUiEntry::Command(dialog, id, UiEvent::kDoubleClicked);
    return Done();
}

bool CScriptedUser::PressKey(CDialogBase& dialog, UiKey key, bool ctrl, bool shift, bool alt)
{
    CHeadlessWindow* window = Usable(dialog, 0, "key");
    if (!window)
        return false;
    window->Activate();
    CUiMessage message;
    message.kind = UiMessageKind::kKey;
    message.key = key;
    message.ctrl = ctrl;
    message.shift = shift;
    message.alt = alt;
    message.dialog = &dialog;
    message.control = window->FocusedControl();
    const uint64_t serial = window->Serial();
    if (CUiEntry::Filter(dialog, message) || !m_backend.Find(serial))
        return Done();

    CHeadlessControl* focused = window->FindControl(message.control);
    if (key == UiKey::kTab) {
        std::vector<int32_t> stops;
        for (const CHeadlessControl& control : window->Controls()) {
            if ((control.style & kUiTabStop) && control.visible && control.enabled)
                stops.push_back(control.id);
        }
        if (!stops.empty()) {
            size_t at = stops.size() - 1;
            for (size_t i = 0; i < stops.size(); ++i) {
                if (stops[i] == message.control)
                    at = i;
            }
            const size_t next = shift ? (at + stops.size() - 1) % stops.size() : (at + 1) % stops.size();
            window->Focus(stops[next]);
        }
    } else if (key == UiKey::kEnter && focused && focused->IsMultiLine() && (focused->style & kUiWantReturn)) {
        if (!focused->readOnly) {
            focused->Replace("\r\n", true, true);
            CUiEntry::Command(dialog, focused->id, UiEvent::kChanged);
        }
    } else if (key == UiKey::kEnter) {
        int32_t target = kIdOk;
        if (focused && focused->kind == UiControlKind::kButton) {
            target = focused->id;
        } else {
            for (const CHeadlessControl& control : window->Controls()) {
                if (control.kind == UiControlKind::kButton && (control.style & kUiDefaultButton))
                    target = control.id;
            }
        }
        const CHeadlessControl* button = window->FindControl(target);
        if (!button || (button->enabled && button->visible))
            CUiEntry::Command(dialog, target, UiEvent::kClicked);
    } else if (key == UiKey::kEscape) {
        CUiEntry::Command(dialog, kIdCancel, UiEvent::kClicked);
    }
    return Done();
}

bool CScriptedUser::Close(CDialogBase& dialog)
{
    if (!Usable(dialog, 0, "close"))
        return false;
    CUiEntry::Command(dialog, kIdCancel, UiEvent::kClicked);
    return Done();
}

bool CScriptedUser::Resize(CDialogBase& dialog, int32_t w, int32_t h)
{
    CHeadlessWindow* window = Usable(dialog, 0, "resize");
    if (!window)
        return false;
    if (!(dialog.Template().style & kUiResizable) || window->IsMaximized() || window->IsChild()) {
        Problem("resize: " + Describe(dialog) + " has no sizing border");
        return false;
    }
    const CUiRect rect = window->GetRect();
    window->SetRect({rect.x, rect.y, w, h});
    return Done();
}

bool CScriptedUser::MoveTo(CDialogBase& dialog, int32_t x, int32_t y)
{
    CHeadlessWindow* window = Usable(dialog, 0, "move");
    if (!window)
        return false;
    if (window->IsMaximized() || window->IsChild()) {
        Problem("move: " + Describe(dialog) + " cannot be dragged");
        return false;
    }
    const CUiRect rect = window->GetRect();
    window->SetRect({x, y, rect.w, rect.h});
    return Done();
}

bool CScriptedUser::Maximize(CDialogBase& dialog)
{
    CHeadlessWindow* window = Usable(dialog, 0, "maximize");
    if (!window)
        return false;
    if (!(dialog.Template().style & kUiMaximizeBox) || window->IsChild()) {
        Problem("maximize: " + Describe(dialog) + " has no maximize box");
        return false;
    }
    window->Show(UiShow::kMaximize);
    return Done();
}

bool CScriptedUser::Restore(CDialogBase& dialog)
{
    CHeadlessWindow* window = Usable(dialog, 0, "restore");
    if (!window)
        return false;
    window->Show(UiShow::kRestore);
    return Done();
}

bool CScriptedUser::ChooseMenu(CDialogBase& dialog, int32_t command)
{
    if (!Usable(dialog, 0, "menu"))
        return false;
    if (!dialog.Menu().IsChoosable(command)) {
        Problem("menu: " + Describe(dialog) + " offers no command " + std::to_string(command));
        return false;
    }
    CUiEntry::Command(dialog, command, UiEvent::kClicked);
    return Done();
}

void CScriptedUser::LetTimePass(uint32_t milliseconds)
{
    m_backend.Elapse(milliseconds);
    Done();
}

void CScriptedUser::SwitchAway()
{
    m_backend.ActivateApp(false);
    Done();
}

void CScriptedUser::SwitchBack()
{
    m_backend.ActivateApp(true);
    Done();
}

const CHeadlessControl& CScriptedUser::Look(const CDialogBase& dialog, int32_t id) const
{
    return LookAt(dialog).Control(id);
}

const CHeadlessWindow& CScriptedUser::LookAt(const CDialogBase& dialog) const
{
    const CHeadlessWindow* window = CHeadlessBackend::WindowOf(dialog);
    if (!window)
        throw static_cast<int32_t>(0);
    return *window;
}

CDialogBase* CScriptedUser::ActiveDialog() const
{
    CHeadlessWindow* focus = m_backend.FocusWindow();
    return focus ? &focus->TopLevel()->Dialog() : nullptr;
}
