// Menus as plain data: the dialog keeps its menu bar and its window menu in
// this form, changes them, and asks its window to show them again.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/str_base.h"

struct CUiMenuItem {
    int32_t id = 0;                  // command sent when chosen; 0 for popups and separators
    CStr_base<64> text;
    CStr_base<32> shortcut;          // its key, as "Ctrl+Shift+S" or "F7"; empty for none
    CStr_base<32> altShortcut;       // a second key for the same command; empty for none
    CStr_base<64> note;              // shown after the text, where keys show; empty for none
    CStr_base<64> tip;               // the tool tip; empty for none
    bool enabled = true;             // a grayed item cannot be chosen
    bool separator = false;
    std::vector<CUiMenuItem> items;  // the items of a popup, by position
};

struct CUiMenu {
    std::vector<CUiMenuItem> items;  // by position

    // The item with command `id` anywhere in the menu, or null.
    const CUiMenuItem* Find(int32_t id) const;
    // True when the item with command `id` exists, is no separator, and it
    // and every popup above it are enabled.
    bool IsChoosable(int32_t id) const;
};

// The window menu of a top-level window, by position: restore, move, size,
// minimize, maximize, a separator and close.
CUiMenu UiStandardSystemMenu();
