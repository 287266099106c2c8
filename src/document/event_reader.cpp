// Reading an @@EVENT block.
#include <cstring>

#include "document/element_reader.h"
#include "document/local_block.h"
#include "foundation/ascii_case.h"
#include "foundation/sjis_literal.h"
#include "pattern/str_regex.h"

namespace {

bool IsEventScriptKey(const CFieldKey& key)
{
    return key == "startfunc" || key == "endfunc" || key == "func";
}

// "" for a line without comment, otherwise a tab and the comment.
void AssignTabbedComment(CMerxString& to, const CLineText& comment)
{
    to.Release();
    if (!comment.IsEmpty()) {
        to.Assign("\t");
        to.Append(comment.text, static_cast<int32_t>(comment.length));
    }
}

} // namespace

bool CElementReader::ParseEvent(Ceventstruct& event, const char* text, uint32_t& line)
{
    m_keys.Build(m_source);
    return ReadEvent(event, text, static_cast<uint32_t>(std::strlen(text)), line);
}

bool CElementReader::ReadEvent(Ceventstruct& event, const char* text, uint32_t length, uint32_t& line)
{
    if (!StartsWithNoCase(text, "@@EVENT")) {
        Message(SJ("[%u]：@@EVENTを認識できません。\n"), line + 1);
        return false;
    }
    event.Clear();
    event.fields.AddKeysOf(m_keys.eventFields);
    event.comments.AddKeysOf(m_keys.comments);

    CElementLines lines(text, length);
    CFieldLine field;
    m_seenFields.clear();
    while (!lines.AtEnd()) {
        const uint32_t number = lines.LineNumber(line);
        lines.ReadField(field);
        lines.Next();
        if (!field.IsField()) {
            ReadNonFieldLine(event, field, "\t", SJ("[%u]：@@EVENT：\"%s\"を解析できません。\n"), number);
            continue;
        }
        if (field.key == "param") {
            CMerxString* param = event.params.Add();
            AssignPiece(*param, field.value);
            if (StrRegex(*param, "%w", "") == 0)
                *param += "\t";
            AssignTabbedComment(*event.paramcomments.Add(), field.comment);
            continue;
        }
        CMerxString* value = event.fields.Lookup(field.key, field.key.GetHash());
        if (!value) {
            Message(SJ("[%u]：@@EVENT：要素名\"%s\"は定義されていません。\n"), number, field.key.GetBuffer());
            // The script lines of an unknown block are no fields of the event.
            if (OpensEventLocalBlock(field.value.ToString()))
                SkipLocalBlock(lines);
            continue;
        }
        if (m_source.IsIncludeAsElement() && field.key == "@@include") {
            AppendIncludeLine(*value, field);
            continue;
        }
        NoteRepeatedField(m_seenFields, value, field, "@@EVENT", number);
        if (IsEventScriptKey(field.key) && OpensEventLocalBlock(field.value.ToString())) {
            AssignPiece(*value, field.value);
            *value += "\r\n";
            ReadLocalBlock(lines, LocalBlockOwner::Event, *value);
        } else {
            AssignPiece(*value, field.value);
        }
        if (!field.comment.IsEmpty())
            AssignTabbedComment(*event.comments.GetOrInsert(field.key, field.key.GetHash()), field.comment);
    }
    event.TrimFields();
    line += lines.LineFeeds();
    NoteKeptSpan(event, text, length);
    return true;
}
