// Reading an @@ITEM block.
#include "document/keyword_match.h"
#include "document/local_block.h"
#include "document/merx_reader.h"
#include "foundation/sjis_literal.h"

namespace {

bool IsItemScriptKey(const CMerxString& key)
{
    return key == "funct" || key == "funcs" || key == "funcb";
}

} // namespace

bool CMerxReader::ParseItem(Citemstruct& item, const char* text, uint32_t& line)
{
    if (!StartsWithNoCase(text, "@@ITEM")) {
        Message(SJ("[%u]：@@ITEMが見つかりません。\n"), line + 1);
        return false;
    }
    item.Clear();
    item.fields.Reserve(m_doc.itemkeys.GetCount() + m_doc.itemextkeys.GetCount());
    for (const CMerxString& key : m_doc.itemkeys)
        item.fields.GetOrInsert(key);
    for (const CMerxString& key : m_doc.itemextkeys)
        item.fields.GetOrInsert(key);
    item.comments.GetOrInsert("");

    CElementLines lines(text);
    CFieldLine field;
    while (!lines.AtEnd()) {
        const uint32_t number = lines.LineNumber(line);
        lines.ReadField(field);
        lines.Next();
        if (!field.IsField()) {
            ReadNonFieldLine(item, field, "\t", SJ("[%u]：@@ITEM：\"%s\"を解析できません。\n"), number);
            continue;
        }
        if (field.key == "@@use") {
            ParseUse(*item.uses.Add(), lines, line);
            continue;
        }
        CMerxString* value = item.fields.Lookup(field.key);
        if (!value) {
            Message(SJ("[%u]：@@ITEM：要素名\"%s\"は定義されていません。\n"), number, field.key.GetBuffer());
            // The script lines of an unknown block are no fields of the item.
            if (field.value == "_local_")
                SkipLocalBlock(lines);
            continue;
        }
        if (m_doc.IsIncludeAsElement() && field.key == "@@include") {
            AppendIncludeLine(*value, field);
            continue;
        }
        if (IsItemScriptKey(field.key)) {
            if (field.value != "_local_") {
                Message(SJ("[%u]：@@ITEM：\"%s\"：この項目は_local_以外の値を指定できません。\n"), number,
                        field.key.GetBuffer());
                continue;
            }
            value->Release();
            ReadLocalBlock(lines, LocalBlockOwner::Item, *value);
        } else {
            value->Assign(field.value);
        }
        if (!field.comment.IsEmpty())
            item.SetComment(field.key, field.comment);
    }
    line += lines.LineFeeds();
    return true;
}
