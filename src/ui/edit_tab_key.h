// Edits that take the Tab key as text.
#pragma once

#include <cstdint>

#include "ui/ui_types.h"

class CDialogBase;

// For a key filter: when `message` is Tab pressed without Ctrl while the
// edit `editId` of `dialog` has the focus, replaces the edit's selection
// with a tab character as a change the user can undo, and returns true (the
// key is taken). Ctrl+Tab and every other message give false.
bool InsertTabForKey(CDialogBase& dialog, const CUiMessage& message, int32_t editId);
