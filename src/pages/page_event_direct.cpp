// The event page's direct edit: the shown event as file text in the
// direct-input window, read back with the event reader.
#include <vector>

#include "document/backslash_completion.h"
#include "document/data_writer.h"
#include "document/element_reader.h"
#include "editing/event_fields.h"
#include "editing/line_ends.h"
#include "editing/reopen_guard.h"
#include "pages/page_event.h"
#include "settings/setting_keys.h"
#include "ui/ui_services.h"

void Cpage_event::OnDirectEdit()
{
    if (m_context.RefuseWhileWaiting() || noweventID == -1)
        return;
    const CModalWaitScope wait(m_context.ModalWait());
    const CUiWaitCursor cursor;
    if (SaveShownEvent().IsRefused())
        return;

    const CMerxDocument& doc = m_context.Document();
    CStr_base<16384> text = CMerxWriter(doc).WriteEvent(m_work);
    CrLfToLf(text);
    const bool accepted = m_context.RunDirectInput(text, [&](CStr_base<16384>& candidate, CStr_base<1024>& errors) {
        Ceventstruct parsed;
        CStr_base<1024> messages;
        uint32_t line = 0;
        if (!CElementReader(doc, messages).ParseEvent(parsed, candidate.GetBuffer(), line) || !messages.IsEmpty()) {
            errors = messages;
            return false;
        }
        const bool complete = CheckRequiredEventFields(m_work, parsed, errors);
        if (!GuardDirectEdit(doc, m_work, parsed, candidate.GetBuffer(), errors) || !complete)
            return false;
        std::vector<CMerxString*> scripts;
        for (const char* key : g_aszEventScriptKeys)
            scripts.push_back(parsed.fields.Lookup(key));
        CompleteBackslashesIn(scripts, EscapeMode(kEditEscapeModeKey), m_context.Question());
        m_work = parsed;
        return true;
    });
    if (accepted)
        ShowEvent();
}

