// The vocabulary of the window layer: rectangles, control kinds and styles,
// notifications, keys, message boxes, fonts and the messages of the key
// filter.
//
// Every text that crosses the layer is CP932 bytes. Positions and sizes are
// pixels; edit positions are byte offsets into the CP932 text.
#pragma once

#include <cstdint>

#include "foundation/str_base.h"

class CDialogBase;

// Command identifiers of the OK and Cancel buttons; Enter and Escape send
// them as well.
enum : int32_t {
    kIdOk = 1,
    kIdCancel = 2,
};

struct CUiRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t w = 0;
    int32_t h = 0;
    bool operator==(const CUiRect&) const = default;
};

struct CUiSize {
    int32_t w = 0;
    int32_t h = 0;
    bool operator==(const CUiSize&) const = default;
};

enum class UiControlKind {
    kStatic,     // static text
    kEdit,       // single- or multi-line edit
    kCheck,      // check box (it toggles itself when clicked)
    kButton,     // push button
    kGroup,      // group box
    kDropList,   // drop-down list: a combo box whose text is its selected item
    kComboEdit,  // editable combo box: free text with a list of choices
    kList,       // list box
    kTab,        // tab control
};

// Control styles.
enum : uint32_t {
    kUiTabStop = 1u << 0,        // Tab moves the focus to it
    kUiMultiLine = 1u << 1,      // edit with several lines (CR LF line ends)
    kUiWantReturn = 1u << 2,     // multi-line edit: Enter starts a new line
    kUiReadOnly = 1u << 3,       // edit the user cannot change
    kUiDefaultButton = 1u << 4,  // Enter presses this button
    kUiDisabled = 1u << 5,       // created disabled
    kUiHidden = 1u << 6,         // created hidden
    kUiSearchBox = 1u << 7,      // edit whose text is no text of the document
                                 // (a filter): typed text checks pass it by
};

// Dialog styles.
enum : uint32_t {
    kUiResizable = 1u << 0,    // sizing border
    kUiMaximizeBox = 1u << 1,  // can be maximized
    kUiMinimizeBox = 1u << 2,  // can be minimized
};

// Notifications of a control to its dialog (OnCommand). Choosing a menu
// item counts as a click on its command.
enum class UiEvent {
    kClicked,        // button, check box, menu item
    kChanged,        // the text of an edit or an editable combo changed
    kSelChanged,     // selection of a list, combo or tab control changed
    kDoubleClicked,  // a list line was double-clicked
};

enum class UiShow {
    kHide,
    kShow,      // shows (and activates) in its present state
    kMaximize,
    kRestore,   // back to the normal rectangle
};

enum class UiKey {
    kTab,
    kEnter,
    kEscape,
    // Keys that do nothing of their own in a dialog: the key filter sees
    // them, and what it does not take reaches the control as usual.
    kPageUp,
    kPageDown,
    kUp,
    kDown,
    kDelete,
    kF3,
};

enum class UiButtons {
    kOk,
    kOkCancel,
    kYesNo,
    kYesNoCancel,
};

// Message-box answers; kNone as a default button means the first button.
enum class UiAnswer {
    kNone,
    kOk,
    kCancel,
    kYes,
    kNo,
};

// A font by face name and point size. A backend that does not have the face
// uses a fixed-pitch face of its platform instead (the program's face, "ＭＳ
// ゴシック", is a fixed-pitch Japanese face).
struct CUiFont {
    CStr_base<32> face;
    int32_t points = 0;
};

enum class UiMessageKind {
    kKey,     // a key pressed
    kPosted,  // a private message posted to the dialog
};

// What the key filter (PreTranslateMessage) sees before the message is
// dispatched.
struct CUiMessage {
    UiMessageKind kind = UiMessageKind::kKey;
    UiKey key = UiKey::kTab;
    bool ctrl = false;                // Ctrl held
    bool shift = false;               // Shift held
    bool alt = false;                 // Alt held
    CDialogBase* dialog = nullptr;    // the dialog whose control has the focus
    int32_t control = 0;              // that control; 0 when none has it
    uint32_t code = 0;                // kPosted: the dialog's own message number
};

// A selection end that stands for the end of the text.
inline constexpr uint32_t kUiTextEnd = UINT32_MAX;
