#include "ui/edit_tab_key.h"

#include "ui/dialog_base.h"

bool InsertTabForKey(CDialogBase& dialog, const CUiMessage& message, int32_t editId)
{
    if (message.kind != UiMessageKind::kKey || message.key != UiKey::kTab || message.ctrl ||
        message.dialog != &dialog || message.control != editId)
        return false;
    dialog.Control(editId).ReplaceSel("\t", true);
    return true;
}
