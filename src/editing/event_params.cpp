#include "editing/event_params.h"

#include "pattern/regex_types.h"

bool ShowParamLine(const char* line, CParamControls& controls)
{
    CStrRegexMatchStruct captures;
    if (StrRegex(line, "%+0w%{%/0i%}%/w%{%/0I%}", "s", &captures) <= 0 || captures.GetCount() < 2)
        return false;
    controls.item.Assign(captures[0]);
    controls.value.Assign(captures[1]);
    return true;
}

void ReadBackParamLine(const CParamControls& shown, const CParamControls& now, CStr_base<64>& line)
{
    if (shown.item == now.item && shown.value == now.value)
        return;
    line.Format("%s\t%s", now.item.GetBuffer(), now.value.GetBuffer());
}
