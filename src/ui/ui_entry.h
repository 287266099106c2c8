// The entry points through which a backend reaches the dialogs: their
// windows and their handlers. Dialogs themselves never use it.
#pragma once

#include <cstdint>
#include <functional>

#include "ui/ui_types.h"
#include "ui/ui_window.h"

class CDialogBase;

// What the program does when a handler lets an exception escape: `what`
// describes the exception, `where` names the dialog and the notification.
// While one is chosen, the entry points below catch every exception of the
// handlers they call, hand it over and return normally, so that the loop
// goes on; with none (the default), exceptions pass through.
using CUiFaultHandler = std::function<void(const char* what, const char* where)>;
void UiSetFaultHandler(CUiFaultHandler handler);
// What the program does when a handler runs out of memory (which is no
// fault of the program): while one is chosen, it is called instead of the
// fault handler, and the loop goes on.
using CUiOutOfMemoryHandler = std::function<void()>;
void UiSetOutOfMemoryHandler(CUiOutOfMemoryHandler handler);

class CUiEntry {
public:
    // The dialog's window; null when it has none.
    static CUiWindow* Window(const CDialogBase& dialog);
    // A notification of control `id`: the command filter, then OnOK,
    // OnCancel or the bound handler.
    static void Command(CDialogBase& dialog, int32_t id, UiEvent event);
    // A key or posted message: the key filters of `dialog` and of the
    // dialogs it is a page of, innermost first; true when one took it.
    static bool Filter(CDialogBase& dialog, const CUiMessage& message);
    static void Size(CDialogBase& dialog, int32_t cx, int32_t cy);
    static void Shown(CDialogBase& dialog, bool shown);
    // The program became active (or another program did): OnActivateApp.
    static void ActivateApp(CDialogBase& dialog, bool active);
};
