// Services of the platform's user interface that belong to no one control:
// message boxes, file dialogs, the wait cursor and the shell.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/str_array.h"
#include "foundation/str_base.h"
#include "ui/ui_backend.h"
#include "ui/ui_types.h"

class CDialogBase;

// Shows `text` with `buttons`; `defaultButton` is the button Enter chooses
// (kNone: the first). Returns the button chosen. `owner` may be null.
UiAnswer UiMessageBox(const char* text, UiButtons buttons = UiButtons::kOk, CDialogBase* owner = nullptr,
                      UiAnswer defaultButton = UiAnswer::kNone);
// Runs a file dialog; true with the chosen full path in `path`. A file
// whose name has no path text (characters CP932 lacks) cannot be used: a
// message says why and the dialog asks again.
bool UiAskFileName(const CUiFileRequest& request, CStr_base<64>& path, CDialogBase* owner = nullptr);

// Characters the system cannot keep, for a message: "U+D55C U+00E9", and
// how many more there are.
CStr_base<64> UiRefusedCharsText(const std::u32string& refused);

// Why a file name has no path text, for messages, from what ExactPathText
// (foundation/native_path.h) found: "ファイル名にShift-JISで表せない文字が
// 含まれています：U+00E9".
CStr_base<64> UiUnfitFileNameReason(const std::u32string& unfit);
// The shell's `verb` ("open") on a document, or on a program with
// `arguments`, each handed to it as one argument whatever it holds;
// `folder` empty for the present one. A result of 32 or less is a failure.
int32_t UiShellOpen(const char* verb, const char* file, const CStrArray_base<64>& arguments, const char* folder,
                    CDialogBase* owner = nullptr);

// The wait cursor shows while at least one of these lives.
class CUiWaitCursor {
public:
    CUiWaitCursor();
    ~CUiWaitCursor();
    CUiWaitCursor(const CUiWaitCursor&) = delete;
    CUiWaitCursor& operator=(const CUiWaitCursor&) = delete;
};
