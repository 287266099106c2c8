#include "editing/event_scripts.h"

#include "document/backslash_completion.h"
#include "document/reopen_check.h"
#include "editing/trimmed_text.h"
#include "pattern/regex_types.h"

const char* const g_aszEventScriptKeys[3] = {"startfunc", "endfunc", "func"};

void ShowEventScript(const char* value, CEventScriptControls& controls)
{
    const CStr_base<64> text(value);
    const int32_t lineEnd = text.Find("\r\n");
    if (lineEnd < 0) {
        controls.reference = text;
        controls.body.Release();
        return;
    }
    controls.reference.Assign(value, lineEnd);
    controls.body.Assign(value + lineEnd + 2);
}

bool IsEventBlockReference(const char* reference)
{
    return StrRegex(reference, "_local_%P%/0w(%+j)%/0w%$", "s") > 0;
}

void EventScriptChoices(const CStrArray_base<64>& declared, CStrArray_base<64>& choices)
{
    choices.RemoveAll();
    for (const char* fixed : {"", "_local_", "stock_le", "stock_ge"})
        choices.Add()->Assign(fixed);
    for (const CStr_base<64>& name : declared)
        choices.Add()->Assign(name);
}

bool ReadBackEventScript(const CEventScriptControls& shown, const CEventScriptControls& now, const char* key,
                         int32_t escapeMode, CYesNoQuestion& question, CStr_base<64>& value, CStr_base<1024>& errors)
{
    if (shown.reference == now.reference && shown.body == now.body)
        return true;
    const CStr_base<64> reference = TrimmedText(now.reference);
    if (!IsEventBlockReference(reference.GetBuffer())) {
        value = reference;
        return true;
    }
    CStr_base<16384> body(now.body);
    if (!CheckScriptLines(key, body.GetBuffer(), body.GetLength(), errors))
        return false;
    CompleteBackslashes(body, escapeMode, question);
    value = reference;
    value.Append("\r\n");
    value.Append(body);
    return true;
}
