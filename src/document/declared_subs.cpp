#include "document/declared_subs.h"

#include "pattern/regex_types.h"

void FindDeclaredSubs(const char* text, CStrArray_base<64>& names)
{
    names.RemoveAll();
    CStrRegexHistory history;
    if (StrRegex(text, "%[%^\n%]%/0wsub%/W%{%/s%}", "g", nullptr, &history) <= 0)
        return;
    for (const CStrRegexMatchStruct& captures : history)
        if (captures.GetCount() > 0)
            names.Add()->Assign(captures[0]);
}
