// An event as data text: its "@@EVENT" line, comment-only lines, fields
// behind one tab and "param" lines behind two.
#include <cstring>

#include "document/data_writer.h"
#include "pattern/str_regex.h"

namespace {

bool IsEventScriptKey(const char* key)
{
    return std::strcmp(key, "startfunc") == 0 || std::strcmp(key, "endfunc") == 0 || std::strcmp(key, "func") == 0;
}

// A script value that is a "_local_" block: "_local_", optionally an
// argument list in parentheses, then the end of the value or a line end.
bool IsLocalBlock(const CMerxString& value)
{
    return StrRegex(value, "_local_%/0w%[\r%$%((%+0j)%/0w\r%)%]", "s") > 0;
}

// A one-line script loses its trailing blanks. A match that ends in a CR
// is refused: replacing it by the text before it would drop that CR.
void TrimScriptLine(CWriterText& line)
{
    line.Regex("%{%+0i%e%/0w%[\r%$%]%}", "s", nullptr, "%0v", nullptr, 0, nullptr,
               [](const char* at, uint32_t, uint32_t matched, const char*, CStr_base<16384>*,
                  CStrRegexMatchStruct*) -> int32_t { return matched && at[matched - 1] == '\r' ? -1 : -2; });
}

// The comment of an event field already begins with its tab.
void AppendEventScript(CWriterText& out, const char* key, const CMerxString& value, const char* comment)
{
    CWriterText script(value);
    if (IsLocalBlock(value)) {
        script.Regex("\r\n", "g", nullptr, "\r\n\t\t");
        script += "\r\n\t_local_";
        InsertBeforeFirstLineEnd(script, comment);
    } else {
        TrimScriptLine(script);
        script += comment;
    }
    AppendPieces(out, {"\t", key, "\t", script.GetBuffer(), "\r\n"});
}

} // namespace

void CMerxWriter::AppendEvent(CWriterText& out, const Ceventstruct& event) const
{
    out += "@@EVENT\r\n";
    out += event.GetComment("");
    for (const CMerxString& key : m_doc.eventkeys) {
        const CMerxString* value = event.GetField(key);
        if (!value)
            continue;
        const char* comment = event.GetComment(key);
        // An empty field is left out, but not the comment on its line.
        if (value->IsEmpty()) {
            if (*comment)
                AppendPieces(out, {"\t", key.GetBuffer(), "\t", comment, "\r\n"});
            continue;
        }
        if (IsEventScriptKey(key))
            AppendEventScript(out, key, *value, comment);
        else
            AppendPieces(out, {"\t", key.GetBuffer(), "\t", value->GetBuffer(), comment, "\r\n"});
    }
    for (uint32_t i = 0; i < event.params.GetCount(); ++i) {
        out += "\t\tparam\t";
        out += event.params[i];
        if (i < event.paramcomments.GetCount())
            out += event.paramcomments[i];
        out += "\r\n";
    }
}
