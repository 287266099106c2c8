// Reading an @@ITEM block.
#include <cstring>

#include "document/element_reader.h"
#include "document/local_block.h"
#include "foundation/ascii_case.h"
#include "foundation/sjis_literal.h"

namespace {

bool IsItemScriptKey(const CFieldKey& key)
{
    return key == "funct" || key == "funcs" || key == "funcb";
}

} // namespace

bool CElementReader::ParseItem(Citemstruct& item, const char* text, uint32_t& line)
{
    m_keys.Build(m_source);
    return ReadItem(item, text, static_cast<uint32_t>(std::strlen(text)), line);
}

bool CElementReader::ReadItem(Citemstruct& item, const char* text, uint32_t length, uint32_t& line)
{
    if (!StartsWithNoCase(text, "@@ITEM")) {
        Message(SJ("[%u]：@@ITEMが見つかりません。\n"), line + 1);
        return false;
    }
    item.Clear();
    item.fields.AddKeysOf(m_keys.itemFields);
    item.comments.AddKeysOf(m_keys.comments);

    CElementLines lines(text, length);
    CFieldLine field;
    m_seenFields.clear();
    while (!lines.AtEnd()) {
        const uint32_t number = lines.LineNumber(line);
        lines.ReadField(field);
        lines.Next();
        if (!field.IsField()) {
            ReadNonFieldLine(item, field, "\t", SJ("[%u]：@@ITEM：\"%s\"を解析できません。\n"), number);
            continue;
        }
        if (field.key == "@@use") {
            ParseUse(*item.uses.Add(), field, number, lines, line);
            continue;
        }
        CMerxString* value = item.fields.Lookup(field.key, field.key.GetHash());
        if (!value) {
            Message(SJ("[%u]：@@ITEM：要素名\"%s\"は定義されていません。\n"), number, field.key.GetBuffer());
            // The script lines of an unknown block are no fields of the item.
            if (field.value == "_local_")
                SkipLocalBlock(lines);
            continue;
        }
        if (m_source.IsIncludeAsElement() && field.key == "@@include") {
            AppendIncludeLine(*value, field);
            continue;
        }
        NoteRepeatedField(m_seenFields, value, field, "@@ITEM", number);
        if (IsItemScriptKey(field.key)) {
            if (field.value != "_local_") {
                Message(SJ("[%u]：@@ITEM：\"%s\"：この項目は_local_以外の値を指定できません。\n"), number,
                        field.key.GetBuffer());
                continue;
            }
            value->Release();
            ReadLocalBlock(lines, LocalBlockOwner::Item, *value);
        } else {
            AssignPiece(*value, field.value);
        }
        if (!field.comment.IsEmpty())
            AssignPiece(*item.comments.GetOrInsert(field.key, field.key.GetHash()), field.comment);
    }
    item.TrimFields();
    line += lines.LineFeeds();
    NoteKeptSpan(item, text, length);
    return true;
}
