// A control of the headless backend: its whole state in memory, open to
// inspection, with the editing operations of an edit control.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/str_base.h"
#include "ui/ui_template.h"
#include "ui/ui_types.h"

struct CHeadlessControl {
    explicit CHeadlessControl(const CUiControlTemplate& control);

    int32_t id;
    UiControlKind kind;
    uint32_t style;
    CStr_base<1024> text;  // caption, edit text, or the text of a combo box
    // What the person typed when it holds characters the file cannot hold
    // (text then has "?" in their place); empty otherwise. Any other change
    // of the text empties it.
    std::u32string typed;
    CUiRect rect;
    bool enabled;
    bool visible;
    bool readOnly;
    bool checked = false;
    std::vector<CStr_base<64>> items;  // lists, combo boxes, tabs
    int32_t curSel = -1;
    uint32_t selStart = 0;  // edit selection, start <= end, on character starts
    uint32_t selEnd = 0;
    uint32_t limit = 0;     // most bytes the user can enter; 0 for none
    int32_t tabStops = 0;   // dialog units between tab stops; 0 for the default
    int32_t marginLeft = 0;
    int32_t marginRight = 0;
    CUiFont font;           // face empty: the dialog's font
    int64_t scrolledTo = -1;  // caret offset at the last ScrollCaret; -1 for never
    bool canUndo = false;
    CStr_base<1024> undoText;
    uint32_t undoStart = 0;
    uint32_t undoEnd = 0;

    bool IsEdit() const { return kind == UiControlKind::kEdit || kind == UiControlKind::kComboEdit; }
    bool HasItems() const;
    bool IsMultiLine() const { return kind == UiControlKind::kEdit && (style & kUiMultiLine); }

    // Text set by the program: the selection goes to the start and the undo
    // step is forgotten.
    void Assign(const char* newText);
    // Orders the ends and moves them onto character starts within the text.
    void Select(uint32_t start, uint32_t end);
    // Replaces the selection and puts the caret behind the insertion. With
    // `limited`, only as much of `insertion` goes in as the limit leaves
    // room for, cut at a character start.
    void Replace(const char* insertion, bool undoable, bool limited);
    // Swaps the text with the one before the last undoable change (a second
    // undo redoes). False when there is nothing to undo.
    bool Undo();
    // Selects item `index` (nothing for -1 or out of range); combo boxes
    // show its text.
    void SelectItem(int32_t index);
};
