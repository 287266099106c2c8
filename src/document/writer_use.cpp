// A use entry as data text: its "@@USE" line with its comment, comment-only
// lines, fields, the argselect line and the lists, all behind two tabs;
// use, need and get lines behind three.
#include <cstring>

#include "document/data_writer.h"

namespace {

bool IsUseScriptKey(const char* key)
{
    return std::strcmp(key, "func") == 0 || std::strcmp(key, "funci") == 0 || std::strcmp(key, "funcb") == 0;
}

bool IsArgselect(const char* key) { return std::strcmp(key, "argselect") == 0; }

const char* EntryComment(const CStrArray_base<64>* comments, uint32_t i)
{
    return comments && i < comments->GetCount() ? comments->GetAt(i)->GetBuffer() : "";
}

// One line, or "_local_" and the script lines behind three tabs up to the
// closing "_local_" line; the comment stands behind the first line.
void AppendUseScript(CWriterText& out, const char* key, const CMerxString& value, const char* comment)
{
    CWriterText script(value);
    script.Replace("\r\n", "\r\n\t\t\t");
    if (*comment) {
        CWriterText tabbed("\t");
        tabbed += comment;
        InsertBeforeFirstLineEnd(script, tabbed);
    }
    if (value.Find("\r\n") >= 0)
        script += "\r\n\t\t_local_";
    AppendPieces(out, {"\t\t", key, "\t", script.GetBuffer(), "\r\n"});
}

void AppendUseField(CWriterText& out, const Cusestruct& use, const char* key, const CMerxString& value)
{
    const char* comment = use.GetComment(key);
    // An empty field is left out, but not the comment on its line.
    if (value.IsEmpty()) {
        if (*comment)
            AppendPieces(out, {"\t\t", key, "\t\t", comment, "\r\n"});
        return;
    }
    if (IsUseScriptKey(key))
        AppendUseScript(out, key, value, comment);
    else if (*comment)
        AppendPieces(out, {"\t\t", key, "\t", value.GetBuffer(), "\t", comment, "\r\n"});
    else
        AppendPieces(out, {"\t\t", key, "\t", value.GetBuffer(), "\r\n"});
}

// The heading and the choices joined by ";", when there is a choice.
void AppendArgselect(CWriterText& out, const Cusestruct& use, const CMerxString& heading)
{
    const CStrArray_base<64>* choices = use.GetList("argselect");
    if (!choices || choices->GetCount() == 0)
        return;
    CWriterText joined(heading);
    for (const CStr_base<64>& choice : *choices) {
        joined += ";";
        joined += choice;
    }
    const char* comment = use.GetComment("argselect");
    if (*comment)
        AppendPieces(out, {"\t\targselect\t", joined.GetBuffer(), "\t", comment, "\r\n"});
    else
        AppendPieces(out, {"\t\targselect\t", joined.GetBuffer(), "\r\n"});
}

// Use, need and get lines without their empty trailing columns. Only the
// line being built is cut, so a comment that ends in tabs keeps them.
void AppendUngList(CWriterText& out, const CStrArray_base<64>& entries, const CStrArray_base<64>* comments)
{
    CWriterText line;
    for (uint32_t i = 0; i < entries.GetCount(); ++i) {
        line.Assign("\t\t\t");
        line += entries[i];
        RemoveTabsBeforeLineEnds(line);
        out += line;
        out += EntryComment(comments, i);
        out += "\r\n";
    }
}

void AppendUseList(CWriterText& out, const Cusestruct& use, const char* key, const CStrArray_base<64>& entries)
{
    const CStrArray_base<64>* comments = use.GetListComments(key);
    if (std::strcmp(key, "ung") == 0) {
        AppendUngList(out, entries, comments);
        return;
    }
    for (uint32_t i = 0; i < entries.GetCount(); ++i) {
        if (!entries[i].IsEmpty())
            AppendPieces(out, {"\t\t", key, "\t", entries[i].GetBuffer(), EntryComment(comments, i), "\r\n"});
    }
}

} // namespace

void CMerxWriter::AppendUse(CWriterText& out, const Cusestruct& use) const
{
    const char* lineComment = use.GetComment(kUseLineCommentKey);
    if (*lineComment)
        AppendPieces(out, {"\t@@USE\t", lineComment, "\r\n"});
    else
        out += "\t@@USE\r\n";
    out += use.GetComment("");
    // With an argselect field, heading and choices make one line of their
    // own and leave the field and list order.
    const CMerxString* heading = use.GetField("argselect");
    auto takenOut = [heading](const char* key) { return heading && IsArgselect(key); };

    uint32_t listedFields = 0;
    for (const CMerxString& key : m_doc.usekeys) {
        const CMerxString* value = use.GetField(key);
        if (!value)
            continue;
        ++listedFields;
        if (!takenOut(key))
            AppendUseField(out, use, key, *value);
    }
    if (heading)
        AppendArgselect(out, use, *heading);
    uint32_t listedLists = 0;
    for (const CMerxString& key : m_doc.uselistkeys) {
        const CStrArray_base<64>* entries = use.GetList(key);
        if (!entries)
            continue;
        ++listedLists;
        if (!takenOut(key))
            AppendUseList(out, use, key, *entries);
    }
    // Fields and lists outside the key lists: the use extension fields.
    if (listedFields < use.fields.GetCount()) {
        for (auto [key, value] : use.fields) {
            if (!ContainsKey(m_doc.usekeys, key) && !takenOut(key))
                AppendUseField(out, use, key, value);
        }
    }
    if (listedLists < use.lists.GetCount()) {
        for (auto [key, entries] : use.lists) {
            if (!ContainsKey(m_doc.uselistkeys, key) && !takenOut(key))
                AppendUseList(out, use, key, entries);
        }
    }
}
