// A window of the headless backend: the dialog's controls in memory, with
// the geometry, visibility and focus of a window.
//
// A top-level window has a frame of kHeadlessFrame around its client area
// and opens at the top-left of the screen kHeadlessScreen with the
// template's client size; maximized, it covers the screen. A page opens at
// (0, 0) of its parent's client area and has no frame.
#pragma once

#include <cstdint>
#include <vector>

#include "ui/headless/headless_control.h"
#include "ui/ui_window.h"

class CDialogBase;
class CHeadlessBackend;

inline constexpr CUiSize kHeadlessFrame{16, 39};
inline constexpr CUiRect kHeadlessScreen{0, 0, 1280, 1024};

class CHeadlessWindow final : public CUiWindow {
public:
    CHeadlessWindow(CHeadlessBackend& backend, CDialogBase& dialog, CHeadlessWindow* owner, bool child);
    ~CHeadlessWindow() override;

    void SetCaption(const char* text) override;
    const char* GetCaption() const override { return m_strCaption; }
    void SetModifiedMark(bool modified) override { m_bModifiedMark = modified; }
    bool HasModifiedMark() const override { return m_bModifiedMark; }
    void Show(UiShow show) override;
    bool IsVisible() const override { return m_bVisible; }
    bool IsMaximized() const override { return m_bMaximized; }
    void Activate() override;
    bool IsActive() const override;
    CUiRect GetRect() const override { return m_rect; }
    // Like Windows: no smaller than the minimum tracking size and the frame,
    // coordinates within 16 bits.
    void SetRect(const CUiRect& rect) override;
    CUiRect GetNormalRect() const override { return m_bMaximized ? m_normal : m_rect; }
    CUiSize GetClientSize() const override;
    void SetMinTrackSize(const CUiSize& size) override { m_minTrack = size; }
    void SetIcon(int32_t resource) override { m_nIcon = resource; }
    void MenuChanged() override { ++m_nMenuRedraws; }

    void SetText(int32_t id, const char* text) override;
    const char* GetText(int32_t id) const override;
    std::u32string GetRefusedChars(int32_t id) const override;
    void Enable(int32_t id, bool enable) override { Control(id).enabled = enable; }
    bool IsEnabled(int32_t id) const override { return Control(id).enabled; }
    void ShowControl(int32_t id, bool show) override { Control(id).visible = show; }
    bool IsControlVisible(int32_t id) const override { return Control(id).visible; }
    void Focus(int32_t id) override;
    int32_t FocusedControl() const override { return m_nFocus; }
    void SetControlRect(int32_t id, const CUiRect& rect) override { Control(id).rect = rect; }
    CUiRect GetControlRect(int32_t id) const override { return Control(id).rect; }
    void SetFont(int32_t id, const CUiFont& font) override { Control(id).font = font; }

    void GetSel(int32_t id, uint32_t& start, uint32_t& end) const override;
    void SetSel(int32_t id, uint32_t start, uint32_t end) override { Control(id).Select(start, end); }
    void ReplaceSel(int32_t id, const char* text, bool undoable) override;
    void SetLimitText(int32_t id, uint32_t limit) override { Control(id).limit = limit; }
    void SetTabStops(int32_t id, int32_t dialogUnits) override { Control(id).tabStops = dialogUnits; }
    void SetMargins(int32_t id, int32_t left, int32_t right) override;
    void SetReadOnly(int32_t id, bool readOnly) override { Control(id).readOnly = readOnly; }
    void ScrollCaret(int32_t id) override;

    void SetCheck(int32_t id, bool checked) override { Control(id).checked = checked; }
    bool GetCheck(int32_t id) const override { return Control(id).checked; }

    void ResetItems(int32_t id) override;
    int32_t InsertItem(int32_t id, int32_t index, const char* text) override;
    bool DeleteItem(int32_t id, int32_t index) override;
    uint32_t GetItemCount(int32_t id) const override { return static_cast<uint32_t>(Control(id).items.size()); }
    const char* GetItemText(int32_t id, int32_t index) const override;
    void SetCurSel(int32_t id, int32_t index) override { Control(id).SelectItem(index); }
    int32_t GetCurSel(int32_t id) const override { return Control(id).curSel; }

    // For the backend and the scripted user.
    CDialogBase& Dialog() const { return m_dialog; }
    uint64_t Serial() const { return m_nSerial; }
    CHeadlessWindow* Owner() const { return m_pOwner; }
    bool IsChild() const { return m_bChild; }
    // The window itself, or for a page the top-level window it lies in.
    CHeadlessWindow* TopLevel();
    // The control `id`, or null.
    CHeadlessControl* FindControl(int32_t id);
    // The control `id`; raises the 32-bit signed value 0 when there is none.
    CHeadlessControl& Control(int32_t id);
    const CHeadlessControl& Control(int32_t id) const;
    std::vector<CHeadlessControl>& Controls() { return m_controls; }
    // A person can use it: it (and for a page, its parent) is visible and
    // no modal window it owns is running.
    bool IsUsable();
    // The modal loop of a window owned by this one starts (+1) or ends (-1).
    void Block(int32_t change) { m_nBlocks += change; }
    bool IsEnded() const { return m_bEnded; }
    void SetEnded() { m_bEnded = true; }
    void Forget(const CHeadlessWindow* window);
    // The backend goes before the window: it lives on as plain memory.
    void Orphan() { m_pBackend = nullptr; }
    CUiSize GetMinTrackSize() const { return m_minTrack; }
    int32_t GetIcon() const { return m_nIcon; }
    uint32_t GetMenuRedraws() const { return m_nMenuRedraws; }

private:
    void Notify(int32_t id, UiEvent event);

    CHeadlessBackend* m_pBackend;  // null once the backend is gone
    CDialogBase& m_dialog;
    CHeadlessWindow* m_pOwner;
    bool m_bChild;
    uint64_t m_nSerial;
    std::vector<CHeadlessControl> m_controls;
    CStr_base<64> m_strCaption;
    bool m_bModifiedMark = false;
    CUiRect m_rect;
    CUiRect m_normal;
    bool m_bVisible = false;
    bool m_bMaximized = false;
    bool m_bEnded = false;
    int32_t m_nFocus = 0;
    int32_t m_nBlocks = 0;
    CUiSize m_minTrack;
    int32_t m_nIcon = 0;
    uint32_t m_nMenuRedraws = 0;
};
