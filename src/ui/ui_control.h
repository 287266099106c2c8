// One control of a dialog's window, named by its template identifier.
#pragma once

#include <cstdint>

#include "foundation/str_base.h"
#include "ui/ui_types.h"
#include "ui/ui_window.h"

class CUiControl {
public:
    CUiControl(CUiWindow& window, int32_t id) : m_window(window), m_nId(id) {}

    int32_t GetId() const { return m_nId; }

    void SetText(const char* text) { m_window.SetText(m_nId, text); }
    template <unsigned N>
    void GetText(CStr_base<N>& out) const { out.Assign(m_window.GetText(m_nId)); }
    void Enable(bool enable) { m_window.Enable(m_nId, enable); }
    bool IsEnabled() const { return m_window.IsEnabled(m_nId); }
    void Show(bool show) { m_window.ShowControl(m_nId, show); }
    bool IsVisible() const { return m_window.IsControlVisible(m_nId); }
    void SetFocus() { m_window.Focus(m_nId); }
    // The control has the keyboard focus, in the active window.
    bool HasFocus() const { return m_window.IsActive() && m_window.FocusedControl() == m_nId; }
    void Move(const CUiRect& rect) { m_window.SetControlRect(m_nId, rect); }
    CUiRect GetRect() const { return m_window.GetControlRect(m_nId); }
    void SetFont(const CUiFont& font) { m_window.SetFont(m_nId, font); }

    // Edits.
    void GetSel(uint32_t& start, uint32_t& end) const { m_window.GetSel(m_nId, start, end); }
    void SetSel(uint32_t start, uint32_t end) { m_window.SetSel(m_nId, start, end); }
    void ReplaceSel(const char* text, bool undoable) { m_window.ReplaceSel(m_nId, text, undoable); }
    void SetLimitText(uint32_t limit) { m_window.SetLimitText(m_nId, limit); }
    void SetTabStops(int32_t dialogUnits) { m_window.SetTabStops(m_nId, dialogUnits); }
    void SetMargins(int32_t left, int32_t right) { m_window.SetMargins(m_nId, left, right); }
    void SetReadOnly(bool readOnly) { m_window.SetReadOnly(m_nId, readOnly); }
    void ScrollCaret() { m_window.ScrollCaret(m_nId); }
    // Lines end at each line feed, so CR LF ends a line too.
    uint32_t GetLineCount() const;
    // Offset of the first character of `line` (from 0); -1 past the last line.
    int32_t LineIndex(uint32_t line) const;

    // Check boxes.
    void SetCheck(bool checked) { m_window.SetCheck(m_nId, checked); }
    bool GetCheck() const { return m_window.GetCheck(m_nId); }

    // Lists, combo boxes and tab controls.
    void ResetContent() { m_window.ResetItems(m_nId); }
    int32_t AddString(const char* text) { return m_window.InsertItem(m_nId, -1, text); }
    int32_t InsertString(int32_t index, const char* text) { return m_window.InsertItem(m_nId, index, text); }
    // All items anew: `count` of them, item i of text `textOf(i)`.
    void SetStrings(uint32_t count, const std::function<const char*(uint32_t)>& textOf)
    {
        m_window.SetItems(m_nId, count, textOf);
    }
    bool DeleteString(int32_t index) { return m_window.DeleteItem(m_nId, index); }
    uint32_t GetCount() const { return m_window.GetItemCount(m_nId); }
    // False, with `out` emptied, when there is no such item.
    template <unsigned N>
    bool GetItemText(int32_t index, CStr_base<N>& out) const
    {
        const char* text = m_window.GetItemText(m_nId, index);
        out.Assign(text);
        return text != nullptr;
    }
    void SetCurSel(int32_t index) { m_window.SetCurSel(m_nId, index); }
    int32_t GetCurSel() const { return m_window.GetCurSel(m_nId); }

private:
    CUiWindow& m_window;
    int32_t m_nId;
};
