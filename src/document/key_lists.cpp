// The key lists of the document, as the applied makeitem rule defines them.
#include "document/merx_document.h"

#include <initializer_list>

namespace {

void Fill(CStrArray_base<64>& list, std::initializer_list<const char*> keys)
{
    list.RemoveAll();
    for (const char* key : keys)
        list.Add()->Assign(key);
}

} // namespace

void CMerxDocument::RebuildKeyLists(bool beta, bool includeAsElement)
{
    m_owner.Check(__func__);
    m_bBeta = beta;
    m_bIncludeAsElement = includeAsElement;
    if (beta) {
        Fill(itemkeys, {"no", "type", "code", "name", "info", "price", "cost", "limit", "pop", "scale", "plus",
                              "base", "point", "flag", "funct", "funcs", "funcb"});
        Fill(usekeys, {"name", "price", "time", "exptime", "exp", "scale", "action", "arg", "argmessage", "info",
                             "argselect", "okmsg", "ngmsg", "needexp", "param", "func", "funcb", "funci"});
        Fill(uselistkeys, {"job", "ung", "argselect"});
    } else {
        Fill(itemkeys, {"no", "type", "code", "name", "info", "price", "cost", "limit", "pop", "scale", "plus",
                              "funct", "base", "point"});
        Fill(usekeys, {"name", "price", "time", "exptime", "exp", "scale", "action", "arg", "argmessage", "info",
                             "okmsg", "ngmsg", "needexp", "param", "func", "funcb"});
        Fill(uselistkeys, {"job", "ung"});
    }
    Fill(eventkeys, {"start", "basetime", "plustime", "code", "group", "startmsg", "endmsg", "info", "startfunc",
                           "endfunc", "func"});
    if (includeAsElement) {
        itemkeys.Add()->Assign("@@include");
        uselistkeys.Add()->Assign("@@include");
        eventkeys.Add()->Assign("@@include");
    }
}
