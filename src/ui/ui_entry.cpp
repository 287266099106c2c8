#include "ui/ui_entry.h"

#include "ui/dialog_base.h"

CUiWindow* CUiEntry::Window(const CDialogBase& dialog) { return dialog.m_pWindow.get(); }

void CUiEntry::Command(CDialogBase& dialog, int32_t id, UiEvent event)
{
    if (!dialog.HasWindow() || dialog.OnCommand(id, event))
        return;
    if (event == UiEvent::kClicked && id == kIdOk) {
        dialog.OnOK();
        return;
    }
    if (event == UiEvent::kClicked && id == kIdCancel) {
        dialog.OnCancel();
        return;
    }
    for (const CDialogBase::Binding& binding : dialog.m_bindings) {
        if (binding.id == id && binding.event == event) {
            const std::function<void()> handler = binding.handler;
            handler();
            return;
        }
    }
}

bool CUiEntry::Filter(CDialogBase& dialog, const CUiMessage& message)
{
    for (CDialogBase* d = &dialog; d && d->HasWindow(); d = d->m_bChild ? d->m_pOwner : nullptr) {
        if (d->PreTranslateMessage(message))
            return true;
    }
    return false;
}

void CUiEntry::Size(CDialogBase& dialog, int32_t cx, int32_t cy)
{
    if (dialog.HasWindow())
        dialog.OnSize(cx, cy);
}

void CUiEntry::Shown(CDialogBase& dialog, bool shown)
{
    if (dialog.HasWindow())
        dialog.OnShowWindow(shown);
}
