// The base of every dialog: its template, its window's life (modal,
// modeless or as a page inside another dialog), the handlers the window
// calls, and access to the window and its controls.
//
// A dialog is written against this class alone:
//
//     class CNameDlg : public CDialogBase {
//     public:
//         CNameDlg() : CDialogBase(NameTemplate()) { Bind(1026, UiEvent::kClicked, &CNameDlg::OnClear); }
//     protected:
//         bool OnInitDialog() override { Control(1084).SetText(m_strName); return true; }
//         void OnOK() override { Control(1084).GetText(m_strName); EndDialog(kIdOk); }
//     private:
//         void OnClear() { Control(1084).SetText(""); }
//         CStr_base<64> m_strName;
//     };
//
// Commands reach the command filter OnCommand first; what it does not take
// goes to OnOK (kIdOk clicked), OnCancel (kIdCancel clicked: also Escape and
// the close box) or the handler bound to the control and notification.
// Keys and posted messages reach PreTranslateMessage of the dialog that
// holds the focus, then of the dialogs it is a page of, before anything
// else sees them.
//
// A window with an owner opens centred over the owner's window; a
// resizable one cannot become smaller than it opened (until the dialog
// says otherwise).
//
// Calling a window operation on a dialog without a window is a programming
// error: it raises the 32-bit signed value 0.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "ui/ui_control.h"
#include "ui/ui_menu.h"
#include "ui/ui_template.h"
#include "ui/ui_types.h"
#include "ui/ui_window.h"

class CDialogBase {
public:
    // The template must outlive the dialog.
    explicit CDialogBase(const CUiDialogTemplate& dialogTemplate);
    CDialogBase(const CDialogBase&) = delete;
    CDialogBase& operator=(const CDialogBase&) = delete;
    // A window still open is destroyed without OnDestroy, which belongs to
    // the derived class that is already gone; the windows it owns are
    // destroyed properly first.
    virtual ~CDialogBase();

    // Builds the window owned by `owner`, initialises and shows it, and runs
    // it until EndDialog; then destroys it and returns the result given to
    // EndDialog (kIdCancel when none was).
    int32_t DoModal(CDialogBase* owner = nullptr);
    // Builds and initialises the hidden window of a modeless dialog owned by
    // `owner`. False when the dialog already has a window.
    bool Create(CDialogBase* owner = nullptr);
    // Builds and initialises the hidden window as a page inside the client
    // area of `parent`, which has a window. False when this dialog already has one.
    bool CreateChild(CDialogBase& parent);
    // Destroys the window: first the windows it owns, then OnDestroy runs,
    // then its pages go. A modal dialog whose loop runs is ended with
    // kIdCancel instead; the loop destroys it.
    void DestroyWindow();
    bool HasWindow() const { return m_pWindow != nullptr; }
    // Ends the loop of a modal dialog with `result`; hides a modeless one.
    void EndDialog(int32_t result);

    const CUiDialogTemplate& Template() const { return m_template; }
    // The owner of the window, or the dialog it is a page of.
    CDialogBase* Owner() const { return m_pOwner; }

    void ShowWindow(UiShow show);
    bool IsWindowVisible() const;
    // Brings the window to the front with the keyboard focus.
    void SetFocus();
    bool IsActive() const;
    void SetWindowText(const char* text);
    const char* GetWindowText() const;
    // The mark "[*]" of the caption shows "*" (ui/ui_window.h).
    void SetModifiedMark(bool modified);
    CUiRect GetWindowRect() const;
    void MoveWindow(const CUiRect& rect);
    CUiRect GetNormalRect() const;
    bool IsZoomed() const;
    CUiSize GetClientSize() const;
    void SetMinTrackSize(int32_t w, int32_t h);
    void SetIcon(int32_t resource);
    // Queues the private message `code` for this dialog's key filter.
    void PostMessage(uint32_t code);
    // Queues the private message `code` every `milliseconds` until KillTimer
    // with the same code or until the window goes.
    void SetTimer(uint32_t code, uint32_t milliseconds);
    void KillTimer(uint32_t code);

    // The menu bar (from the template) and the window menu; after changing
    // them, DrawMenuBar shows the changes.
    CUiMenu& Menu() { return m_menu; }
    CUiMenu& SystemMenu() { return m_systemMenu; }
    void DrawMenuBar();

    CUiControl Control(int32_t id) const;

    // Text the user typed that the file cannot hold (foundation/cp932.h,
    // TypedToCp932). For each enabled and shown edit and editable combo
    // whose text holds such characters, appends the line "[name]\t…：U+D55C
    // U+00E9\n" to `errors`, with the name TypedFieldName gives it; true
    // when there is none. With `only`, that control alone is looked at.
    // The controls keep what the user typed.
    bool CheckTypedText(CStr_base<1024>& errors, int32_t only = 0) const;
    // Called where a dialog reads its controls back, before it keeps
    // anything: CheckTypedText, and on a refusal OnTypedTextRefused with
    // the lines; false then, and nothing is to be read.
    bool AcceptTypedText(int32_t only = 0);

protected:
    // Handlers, called by the window.
    // After the controls exist; true lets the first tab stop take the focus.
    virtual bool OnInitDialog() { return true; }
    virtual void OnOK() { EndDialog(kIdOk); }
    virtual void OnCancel() { EndDialog(kIdCancel); }
    // The command filter: sees every notification first; true takes it.
    virtual bool OnCommand(int32_t id, UiEvent event);
    // The key filter: sees keys and posted messages first; true takes them.
    virtual bool PreTranslateMessage(const CUiMessage& message);
    // The client area now measures cx by cy. For a resizable window and
    // for a page, the controls follow by default (ui/template_layout.h).
    virtual void OnSize(int32_t cx, int32_t cy);
    virtual void OnShowWindow(bool show);
    // The program became the active one again after the user worked in
    // another program (true), or another program became active (false).
    // Every top-level window hears it, also while a modal window runs.
    virtual void OnActivateApp(bool /*active*/) {}
    // The window is about to go; its controls can still be read.
    virtual void OnDestroy() {}
    // The name a refusal of typed text gives the field of control `id`:
    // the captions of the group boxes around it, outermost first, and of
    // the label (or check box) right before it among the shown controls in
    // the template, joined by "::"; the window's caption when there are
    // none.
    virtual CStr_base<64> TypedFieldName(int32_t id) const;
    // Tells the user of a refusal of typed text: a message box over the
    // window by default.
    virtual void OnTypedTextRefused(const CStr_base<1024>& errors);

    // Routes the notification `event` of control `id` to `handler`.
    template <class D>
    void Bind(int32_t id, UiEvent event, void (D::*handler)())
    {
        m_bindings.push_back({id, event, [this, handler] { (static_cast<D*>(this)->*handler)(); }});
    }

private:
    friend class CUiEntry;

    struct Binding {
        int32_t id;
        UiEvent event;
        std::function<void()> handler;
    };

    bool Build(CDialogBase* owner, bool child);
    void Initialise();
    void Detach();
    CUiWindow& Window() const;

    const CUiDialogTemplate& m_template;
    std::unique_ptr<CUiWindow> m_pWindow;
    CDialogBase* m_pOwner = nullptr;
    bool m_bChild = false;
    std::vector<CDialogBase*> m_owned;  // windows owned by this one, and its pages
    std::vector<Binding> m_bindings;
    CUiMenu m_menu;
    CUiMenu m_systemMenu;
    bool m_bModal = false;       // the modal loop runs
    bool m_bEnded = false;       // EndDialog ended the modal loop
    bool m_bDestroying = false;
    int32_t m_nResult = kIdCancel;
};
