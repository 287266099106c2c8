// An item as data text: its "@@ITEM" line, comment-only lines, fields and
// use entries.
#include <cstring>

#include "document/data_writer.h"

namespace {

// funct, funcs and funcb always stand as "_local_" blocks, wherever they
// are written: as one line, a multi-line script would break the file.
bool IsItemScriptKey(const char* key)
{
    return std::strcmp(key, "funct") == 0 || std::strcmp(key, "funcs") == 0 || std::strcmp(key, "funcb") == 0;
}

// The "_local_" header line, the script lines behind two tabs and the
// closing "_local_" line.
void AppendItemScript(CWriterText& out, const char* key, const char* value, const char* comment)
{
    CWriterText script(value);
    script.Replace("\r\n", "\r\n\t\t");
    script += "\r\n\t_local_";
    if (*comment)
        AppendPieces(out, {"\t", key, "\t_local_\t", comment, "\r\n\t\t"});
    else
        AppendPieces(out, {"\t", key, "\t_local_\r\n\t\t"});
    out += script;
    out += "\r\n";
}

void AppendItemField(CWriterText& out, const Citemstruct& item, const char* key, const char* value)
{
    const char* comment = item.GetComment(key);
    // An empty field is left out, but not the comment on its line. A script
    // key takes no other value than "_local_": its comment stands on an
    // empty block.
    if (!*value) {
        if (*comment && IsItemScriptKey(key))
            AppendPieces(out, {"\t", key, "\t_local_\t", comment, "\r\n\t_local_\r\n"});
        else if (*comment)
            AppendPieces(out, {"\t", key, "\t\t", comment, "\r\n"});
        return;
    }
    if (IsItemScriptKey(key))
        AppendItemScript(out, key, value, comment);
    else if (*comment)
        AppendPieces(out, {"\t", key, "\t", value, "\t", comment, "\r\n"});
    else
        AppendPieces(out, {"\t", key, "\t", value, "\r\n"});
}

} // namespace

void CMerxWriter::AppendItem(CWriterText& out, const Citemstruct& item) const
{
    out += "@@ITEM\r\n";
    out += item.GetComment("");
    uint32_t listed = 0;
    for (const CMerxString& key : m_doc.itemkeys) {
        if (const CMerxString* value = item.GetField(key)) {
            AppendItemField(out, item, key, *value);
            ++listed;
        }
    }
    if (listed < item.fields.GetCount()) {
        for (auto [key, value] : item.fields) {
            if (!ContainsKey(m_doc.itemkeys, key))
                AppendItemField(out, item, key, value);
        }
    }
    for (const Cusestruct& use : item.uses)
        AppendUse(out, use);
}
