#include "ui/ui_entry.h"

#include <exception>
#include <string>

#include "foundation/out_of_memory.h"
#include "ui/dialog_base.h"

namespace {

CUiFaultHandler g_faultHandler;
CUiOutOfMemoryHandler g_outOfMemoryHandler;

// The exception being handled, in words: the raises of the foundation
// (an index, a key text, the value 0), or a standard exception.
std::string DescribeCurrentException()
{
    try {
        throw;
    } catch (int32_t value) {
        return "int32 " + std::to_string(value);
    } catch (uint32_t index) {
        return "index " + std::to_string(index);
    } catch (const char* text) {
        return std::string("key \"") + (text ? text : "") + "\"";
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "unknown exception";
    }
}

// Runs `call`; with a fault handler chosen, an exception escaping it goes to
// the handler instead of up the loop, and false is returned.
template <class F>
bool Guarded(const CDialogBase& dialog, const char* entry, int32_t id, F&& call)
{
    if (!g_faultHandler && !g_outOfMemoryHandler) {
        call();
        return true;
    }
    // The dialog may be gone when the handler fails.
    const int32_t resource = dialog.Template().resource;
    try {
        call();
        return true;
    } catch (...) {
        if (g_outOfMemoryHandler && IsOutOfMemory()) {
            const CUiOutOfMemoryHandler handler = g_outOfMemoryHandler;
            try {
                handler();
            } catch (...) {
                // Not even the message fits: the loop goes on without it.
            }
            return false;
        }
        if (!g_faultHandler)
            throw;
        const std::string what = DescribeCurrentException();
        const std::string where = "template " + std::to_string(resource) + ", " + entry + " " +
                                  std::to_string(id);
        const CUiFaultHandler handler = g_faultHandler;
        handler(what.c_str(), where.c_str());
    }
    return false;
}

}  // namespace

void UiSetFaultHandler(CUiFaultHandler handler) { g_faultHandler = std::move(handler); }

void UiSetOutOfMemoryHandler(CUiOutOfMemoryHandler handler) { g_outOfMemoryHandler = std::move(handler); }

CUiWindow* CUiEntry::Window(const CDialogBase& dialog) { return dialog.m_pWindow.get(); }

void CUiEntry::Command(CDialogBase& dialog, int32_t id, UiEvent event)
{
    Guarded(dialog, "command", id, [&] {
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
    });
}

bool CUiEntry::Filter(CDialogBase& dialog, const CUiMessage& message)
{
    bool taken = false;
    const bool completed = Guarded(dialog, "message", static_cast<int32_t>(message.code), [&] {
        for (CDialogBase* d = &dialog; d && d->HasWindow(); d = d->m_bChild ? d->m_pOwner : nullptr) {
            if (d->PreTranslateMessage(message)) {
                taken = true;
                return;
            }
        }
    });
    // A filter that failed has dealt with the message.
    return taken || !completed;
}

void CUiEntry::Size(CDialogBase& dialog, int32_t cx, int32_t cy)
{
    Guarded(dialog, "size", 0, [&] {
        if (dialog.HasWindow())
            dialog.OnSize(cx, cy);
    });
}

void CUiEntry::Shown(CDialogBase& dialog, bool shown)
{
    Guarded(dialog, "show", 0, [&] {
        if (dialog.HasWindow())
            dialog.OnShowWindow(shown);
    });
}

void CUiEntry::ActivateApp(CDialogBase& dialog, bool active)
{
    Guarded(dialog, "activate", active ? 1 : 0, [&] {
        if (dialog.HasWindow())
            dialog.OnActivateApp(active);
    });
}
