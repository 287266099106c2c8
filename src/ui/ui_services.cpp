#include "ui/ui_services.h"

#include "ui/dialog_base.h"
#include "ui/ui_entry.h"

namespace {

uint32_t g_nWaitCursors = 0;

CUiWindow* WindowOf(CDialogBase* dialog) { return dialog ? CUiEntry::Window(*dialog) : nullptr; }

}  // namespace

UiAnswer UiMessageBox(const char* text, UiButtons buttons, CDialogBase* owner, UiAnswer defaultButton)
{
    return UiBackend().MessageBox(WindowOf(owner), text ? text : "", buttons, defaultButton);
}

bool UiAskFileName(const CUiFileRequest& request, CStr_base<64>& path, CDialogBase* owner)
{
    return UiBackend().AskFileName(WindowOf(owner), request, path);
}

int32_t UiShellOpen(const char* verb, const char* file, const CStrArray_base<64>& arguments, const char* folder,
                    CDialogBase* owner)
{
    return UiBackend().ShellOpen(WindowOf(owner), verb ? verb : "", file ? file : "", arguments, folder ? folder : "");
}

CUiWaitCursor::CUiWaitCursor()
{
    if (g_nWaitCursors++ == 0)
        UiBackend().ShowWaitCursor(true);
}

CUiWaitCursor::~CUiWaitCursor()
{
    if (--g_nWaitCursors == 0)
        UiBackend().ShowWaitCursor(false);
}
