// The platform side of one dialog's window: what a backend implements for a
// window built from a template and for its controls.
//
// Controls are named by their template identifier; an identifier the
// template does not have is a programming error and raises the 32-bit
// signed value 0. Rectangles of top-level windows are screen pixels of the
// whole window; rectangles of controls and of child pages are pixels of the
// parent's client area. Edit texts have CR LF line ends; selections are byte
// offsets that the backend keeps on character starts.
//
// Changes of the text of an edit notify the dialog (UiEvent::kChanged),
// whether the user or the program made them; every other notification comes
// from the user alone. A notification may destroy the window, so a backend
// touches nothing of a window after notifying its dialog.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "ui/ui_types.h"

class CUiWindow {
public:
    virtual ~CUiWindow() = default;

    // The window.
    virtual void SetCaption(const char* text) = 0;
    virtual const char* GetCaption() const = 0;
    // A caption may hold the mark "[*]": it shows as "*" while the window
    // is marked modified, and as nothing otherwise.
    virtual void SetModifiedMark(bool modified) = 0;
    virtual bool HasModifiedMark() const = 0;
    virtual void Show(UiShow show) = 0;
    virtual bool IsVisible() const = 0;
    virtual bool IsMaximized() const = 0;
    // Brings the window to the front and gives it the keyboard focus.
    virtual void Activate() = 0;
    virtual bool IsActive() const = 0;
    virtual CUiRect GetRect() const = 0;
    // Moves and sizes the window (a maximized window is restored first; a
    // top-level window off the screen comes back onto it where the platform
    // has screens, ui/screen_place.h);
    // sizes below the minimum tracking size are raised to it.
    virtual void SetRect(const CUiRect& rect) = 0;
    // The rectangle the window has when it is neither maximized nor minimized.
    virtual CUiRect GetNormalRect() const = 0;
    virtual CUiSize GetClientSize() const = 0;
    // The smallest size the user can give the window.
    virtual void SetMinTrackSize(const CUiSize& size) = 0;
    virtual void SetIcon(int32_t resource) = 0;
    // The dialog's menu bar or window menu changed: show them again.
    virtual void MenuChanged() = 0;

    // Any control.
    virtual void SetText(int32_t id, const char* text) = 0;
    // Valid until the next call on this window.
    virtual const char* GetText(int32_t id) const = 0;
    // The characters of what the user typed into edit or editable combo
    // `id` that the file cannot hold (foundation/cp932.h, TypedToCp932),
    // each once in the order met; empty for other controls and for a text
    // the program set. GetText gives such a text with "?" in their place:
    // nothing read from it is to be kept (CDialogBase::CheckTypedText).
    virtual std::u32string GetRefusedChars(int32_t id) const = 0;
    virtual void Enable(int32_t id, bool enable) = 0;
    virtual bool IsEnabled(int32_t id) const = 0;
    virtual void ShowControl(int32_t id, bool show) = 0;
    virtual bool IsControlVisible(int32_t id) const = 0;
    // Gives the control the focus (and activates the window).
    virtual void Focus(int32_t id) = 0;
    // The control that has the focus within this window; 0 when none.
    virtual int32_t FocusedControl() const = 0;
    virtual void SetControlRect(int32_t id, const CUiRect& rect) = 0;
    virtual CUiRect GetControlRect(int32_t id) const = 0;
    virtual void SetFont(int32_t id, const CUiFont& font) = 0;

    // Edits.
    virtual void GetSel(int32_t id, uint32_t& start, uint32_t& end) const = 0;
    // kUiTextEnd stands for the end of the text.
    virtual void SetSel(int32_t id, uint32_t start, uint32_t end) = 0;
    // Replaces the selection with `text` and puts the caret behind it; with
    // `undoable` the user can take the change back.
    virtual void ReplaceSel(int32_t id, const char* text, bool undoable) = 0;
    // The most bytes the user can enter; 0 for no limit (the default).
    virtual void SetLimitText(int32_t id, uint32_t limit) = 0;
    // One tab stop every `dialogUnits` horizontal dialog units.
    virtual void SetTabStops(int32_t id, int32_t dialogUnits) = 0;
    virtual void SetMargins(int32_t id, int32_t left, int32_t right) = 0;
    virtual void SetReadOnly(int32_t id, bool readOnly) = 0;
    virtual void ScrollCaret(int32_t id) = 0;

    // Check boxes.
    virtual void SetCheck(int32_t id, bool checked) = 0;
    virtual bool GetCheck(int32_t id) const = 0;

    // List boxes, combo boxes and tab controls: items by index.
    virtual void ResetItems(int32_t id) = 0;
    // Inserts at `index` (at the end when negative or past the end); returns
    // the index used.
    virtual int32_t InsertItem(int32_t id, int32_t index, const char* text) = 0;
    // Replaces every item by `count` items, item i of text `textOf(i)`
    // (valid until the next call of `textOf`); nothing is selected then. A
    // backend may do it at once, as the long lists of the pages need.
    virtual void SetItems(int32_t id, uint32_t count, const std::function<const char*(uint32_t)>& textOf)
    {
        ResetItems(id);
        for (uint32_t i = 0; i < count; ++i)
            InsertItem(id, -1, textOf(i));
    }
    // False when there is no such item.
    virtual bool DeleteItem(int32_t id, int32_t index) = 0;
    virtual uint32_t GetItemCount(int32_t id) const = 0;
    // Null when there is no such item; valid until the next call on this window.
    virtual const char* GetItemText(int32_t id, int32_t index) const = 0;
    // -1, or an index out of range, selects nothing; a combo box shows the
    // text of the selected item.
    virtual void SetCurSel(int32_t id, int32_t index) = 0;
    virtual int32_t GetCurSel(int32_t id) const = 0;
};
