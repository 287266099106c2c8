// A window of the Qt backend: a dialog's controls as widgets, built from
// its template. Controls, pages and the client size are measured in
// template pixels, which the dialog font makes larger than a pixel where
// it needs more room than the templates were drawn for (qt_font.h). A top-level window is a CQtFrame (menu bar and client
// area); a page is a plain widget inside the client area of its parent.
//
// Rectangles of top-level windows are frame rectangles in screen pixels;
// the client area is what lies below the menu bar. What the window system
// does (maximizing, activating) may arrive after the call that asked for
// it, when the loop runs: the dialog hears of the new client size then. Widgets go with
// deleteLater(), since a notification may destroy the window while Qt is
// still inside the widget that sent it.
#pragma once

#include <QMargins>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/qt/qt_control.h"
#include "ui/qt/qt_font.h"
#include "ui/ui_window.h"

class CDialogBase;
class CQtBackend;
class CQtFrame;
class QEventLoop;
class QObject;
class QWidget;

class CQtWindow final : public CUiWindow {
public:
    CQtWindow(CQtBackend& backend, CDialogBase& dialog, CQtWindow* owner, bool child);
    ~CQtWindow() override;

    void SetCaption(const char* text) override;
    const char* GetCaption() const override { return m_strCaption.c_str(); }
    void SetModifiedMark(bool modified) override;
    bool HasModifiedMark() const override;
    void Show(UiShow show) override;
    bool IsVisible() const override;
    bool IsMaximized() const override;
    void Activate() override;
    bool IsActive() const override;
    CUiRect GetRect() const override;
    void SetRect(const CUiRect& rect) override;
    CUiRect GetNormalRect() const override;
    CUiSize GetClientSize() const override;
    void SetMinTrackSize(const CUiSize& size) override;
    void SetIcon(int32_t resource) override;
    void MenuChanged() override;

    void SetText(int32_t id, const char* text) override;
    const char* GetText(int32_t id) const override;
    std::u32string GetRefusedChars(int32_t id) const override;
    void Enable(int32_t id, bool enable) override;
    bool IsEnabled(int32_t id) const override;
    void ShowControl(int32_t id, bool show) override;
    bool IsControlVisible(int32_t id) const override;
    void Focus(int32_t id) override;
    int32_t FocusedControl() const override;
    void SetControlRect(int32_t id, const CUiRect& rect) override;
    CUiRect GetControlRect(int32_t id) const override { return Control(id).rect; }
    void SetFont(int32_t id, const CUiFont& font) override;

    void GetSel(int32_t id, uint32_t& start, uint32_t& end) const override;
    void SetSel(int32_t id, uint32_t start, uint32_t end) override;
    void ReplaceSel(int32_t id, const char* text, bool undoable) override;
    void SetLimitText(int32_t id, uint32_t limit) override;
    void SetTabStops(int32_t id, int32_t dialogUnits) override;
    void SetMargins(int32_t id, int32_t left, int32_t right) override;
    void SetReadOnly(int32_t id, bool readOnly) override;
    void ScrollCaret(int32_t id) override;

    void SetCheck(int32_t id, bool checked) override;
    bool GetCheck(int32_t id) const override;

    void ResetItems(int32_t id) override;
    int32_t InsertItem(int32_t id, int32_t index, const char* text) override;
    void SetItems(int32_t id, uint32_t count, const std::function<const char*(uint32_t)>& textOf) override;
    bool DeleteItem(int32_t id, int32_t index) override;
    uint32_t GetItemCount(int32_t id) const override;
    const char* GetItemText(int32_t id, int32_t index) const override;
    void SetCurSel(int32_t id, int32_t index) override;
    int32_t GetCurSel(int32_t id) const override;

    // For the backend, its key filter and tests.
    CDialogBase& Dialog() const { return m_dialog; }
    uint64_t Serial() const { return m_nSerial; }
    CQtWindow* Owner() const { return m_pOwner; }
    bool IsChild() const { return m_bChild; }
    // The window itself, or for a page the top-level window it lies in.
    CQtWindow* TopLevel();
    // The frame of a top-level window; null for a page.
    CQtFrame* Frame() const { return m_pFrame; }
    // The widget the controls lie in.
    QWidget* Client() const { return m_pClient; }
    // The outermost widget: the frame, or a page's client widget.
    QWidget* Outer() const;
    // The control `id`; raises the 32-bit signed value 0 when there is none.
    CQtControl& Control(int32_t id);
    const CQtControl& Control(int32_t id) const;
    CQtControl* FindControl(int32_t id);
    // The control whose widgets hold `widget`, or null.
    CQtControl* ControlOf(const QWidget* widget);
    std::vector<CQtControl>& Controls() { return m_controls; }
    // The modal loop that runs for this window, or null.
    QEventLoop* ModalLoop() const { return m_pLoop; }
    void SetModalLoop(QEventLoop* loop) { m_pLoop = loop; }
    bool IsEnded() const { return m_bEnded; }
    void SetEnded() { m_bEnded = true; }
    // A modal window or question owned by this top-level window starts
    // (+1) or ends (-1); meanwhile the person cannot use this window.
    void Block(int32_t change) { m_nBlocks += change; }
    bool IsBlocked() const { return m_nBlocks > 0; }
    // `window` is going: if it is the owner, this window stands alone.
    void Forget(const CQtWindow* window);
    // The backend goes before the window.
    void Orphan() { m_pBackend = nullptr; }

    // From the frame: the close box, and a change of size, place or state.
    void CloseBox();
    void FrameChanged();

private:
    void BuildControls();
    void Wire(CQtControl& control);
    void ApplyFrameRules();
    void CentreOnScreen();
    // Tells the dialog its new client size if it changed since last told;
    // false when the window went meanwhile.
    bool ReportSize();
    // The current text of an edit or combo box, in bytes.
    const std::string& CurrentText(const CQtControl& control) const;
    // The widget text an edit's selection refers to.
    QString WidgetText(const CQtControl& control) const;
    void SetEditText(CQtControl& control, const std::string& bytes);
    void SyncCombo(CQtControl& control);
    void Notify(int32_t id, UiEvent event);
    void ChooseMenu(int32_t id);
    // The window system's frame around the frame widget.
    QMargins FrameMargins() const;

    CQtBackend* m_pBackend;
    CDialogBase& m_dialog;
    CQtWindow* m_pOwner;
    bool m_bChild;
    uint64_t m_nSerial;
    CQtUnit m_unit;                   // one template pixel in pixels
    CQtFrame* m_pFrame = nullptr;     // null for a page
    QPointer<QWidget> m_pOuter;       // frame or page widget
    QWidget* m_pClient = nullptr;
    std::unique_ptr<QObject> m_pReceiver;  // context of every connection
    std::vector<CQtControl> m_controls;
    std::string m_strCaption;
    CUiRect m_normal;                 // frame rectangle in the normal state
    QMargins m_placedMargins;         // the frame known when the program last placed the window
    bool m_bPlaced = false;           // placed by the program, not moved since
    bool m_bOnlyMoved = false;        // placed with the size it had: its client size stands
    bool m_bShownOnce = false;        // shown at least once: the window system knows its place
    CUiSize m_minTrack;
    CUiSize m_reported{-1, -1};       // client size last told to the dialog
    int32_t m_nQuiet = 0;             // the program is changing controls
    QEventLoop* m_pLoop = nullptr;
    bool m_bEnded = false;
    int32_t m_nBlocks = 0;
    mutable std::string m_strScratch;  // texts handed out
};
