// The item page's direct edit: the shown item as file text in the
// direct-input window, read back with the item reader.
#include <cstring>
#include <vector>

#include "document/backslash_completion.h"
#include "document/data_writer.h"
#include "document/element_reader.h"
#include "editing/item_fields.h"
#include "editing/line_ends.h"
#include "editing/reopen_guard.h"
#include "pages/page_item.h"
#include "settings/setting_keys.h"
#include "ui/ui_services.h"

void Cpage_item::OnDirectEdit()
{
    if (m_context.RefuseWhileWaiting() || nowitemID == -1)
        return;
    const CModalWaitScope wait(m_context.ModalWait());
    const CUiWaitCursor cursor;
    if (SaveShownItem().IsRefused())
        return;

    const CMerxDocument& doc = m_context.Document();
    CStr_base<16384> text = CMerxWriter(doc).WriteItem(m_work);
    CrLfToLf(text);
    const bool beta = IsBeta();
    const bool accepted = m_context.RunDirectInput(text, [&](CStr_base<16384>& candidate, CStr_base<1024>& errors) {
        Citemstruct parsed;
        CStr_base<1024> messages;
        uint32_t line = 0;
        if (!CElementReader(doc, messages).ParseItem(parsed, candidate.GetBuffer(), line) || !messages.IsEmpty()) {
            errors = messages;
            return false;
        }
        const bool complete = CheckRequiredItemFields(m_work, parsed, errors);
        if (!GuardDirectEdit(doc, m_work, parsed, candidate.GetBuffer(), errors) || !complete)
            return false;
        // The script texts that may lack a "\" after a double-byte character.
        std::vector<CMerxString*> scripts;
        for (const char* key : kFuncKeys)
            if (beta || std::strcmp(key, "funct") == 0)
                scripts.push_back(parsed.fields.Lookup(key));
        for (Cusestruct& use : parsed.uses)
            for (const char* key : {"func", "funci", "funcb"})
                if (beta || std::strcmp(key, "funci") != 0)
                    scripts.push_back(use.fields.Lookup(key));
        CompleteBackslashesIn(scripts, EscapeMode(kEditEscapeModeKey), m_context.Question());
        m_work = parsed;
        return true;
    });
    if (accepted)
        ShowItem();
}
