#include "ui/ui_services.h"

#include <optional>

#include "foundation/native_path.h"
#include "foundation/sjis_literal.h"
#include "ui/dialog_base.h"
#include "ui/ui_entry.h"

namespace {

uint32_t g_nWaitCursors = 0;

// A refusal names at most this many characters.
constexpr size_t kMostRefusedShown = 8;

CUiWindow* WindowOf(CDialogBase* dialog) { return dialog ? CUiEntry::Window(*dialog) : nullptr; }

}  // namespace

UiAnswer UiMessageBox(const char* text, UiButtons buttons, CDialogBase* owner, UiAnswer defaultButton)
{
    return UiBackend().MessageBox(WindowOf(owner), text ? text : "", buttons, defaultButton);
}

bool UiAskFileName(const CUiFileRequest& request, CStr_base<64>& path, CDialogBase* owner)
{
    std::string native;
    while (UiBackend().AskFileName(WindowOf(owner), request, native)) {
        std::u32string unfit;
        if (const std::optional<CStr_base<64>> text = ExactPathText(native, unfit)) {
            path = *text;
            return true;
        }
        CStr_base<1024> message;
        message.Format(SJ("%s\nこのファイルは使えません。別のファイルを選んでください。"),
                       UiUnfitFileNameReason(unfit).GetBuffer());
        UiMessageBox(message, UiButtons::kOk, owner);
    }
    return false;
}

CStr_base<64> UiRefusedCharsText(const std::u32string& refused)
{
    CStr_base<64> text;
    CStr_base<64> one;
    for (size_t i = 0; i < refused.size() && i < kMostRefusedShown; ++i) {
        one.Format(i == 0 ? "U+%04X" : " U+%04X", static_cast<unsigned>(refused[i]));
        text.Append(one);
    }
    if (refused.size() > kMostRefusedShown) {
        one.Format(SJ(" ほか%u文字"), static_cast<unsigned>(refused.size() - kMostRefusedShown));
        text.Append(one);
    }
    return text;
}

CStr_base<64> UiUnfitFileNameReason(const std::u32string& unfit)
{
    if (unfit.empty())
        return CStr_base<64>(SJ("ファイル名がUTF-8でないため、Shift-JISで表せません"));
    CStr_base<64> reason;
    reason.Format(SJ("ファイル名にShift-JISで表せない文字が含まれています：%s"), UiRefusedCharsText(unfit).GetBuffer());
    return reason;
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
