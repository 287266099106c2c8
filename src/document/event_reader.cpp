// Reading an @@EVENT block.
#include "document/keyword_match.h"
#include "document/local_block.h"
#include "document/merx_reader.h"
#include "foundation/sjis_literal.h"
#include "pattern/str_regex.h"

namespace {

bool IsEventScriptKey(const CMerxString& key)
{
    return key == "startfunc" || key == "endfunc" || key == "func";
}

// "" for a line without comment, otherwise a tab and the comment.
void AssignTabbedComment(CMerxString& to, const CMerxString& comment)
{
    to.Release();
    if (!comment.IsEmpty()) {
        to.Assign("\t");
        to += comment;
    }
}

} // namespace

bool CMerxReader::ParseEvent(Ceventstruct& event, const char* text, uint32_t& line)
{
    if (!StartsWithNoCase(text, "@@EVENT")) {
        Message(SJ("[%u]：@@EVENTを認識できません。\n"), line + 1);
        return false;
    }
    event.Clear();
    event.fields.Reserve(m_doc.eventkeys.GetCount());
    for (const CMerxString& key : m_doc.eventkeys)
        event.fields.GetOrInsert(key);
    event.comments.GetOrInsert("");

    CElementLines lines(text);
    CFieldLine field;
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
            param->Assign(field.value);
            if (StrRegex(*param, "%w", "") == 0)
                *param += "\t";
            AssignTabbedComment(*event.paramcomments.Add(), field.comment);
            continue;
        }
        CMerxString* value = event.fields.Lookup(field.key);
        if (!value) {
            Message(SJ("[%u]：@@EVENT：要素名\"%s\"は定義されていません。\n"), number, field.key.GetBuffer());
            // The script lines of an unknown block are no fields of the event.
            if (OpensEventLocalBlock(field.value))
                SkipLocalBlock(lines);
            continue;
        }
        if (m_doc.IsIncludeAsElement() && field.key == "@@include") {
            AppendIncludeLine(*value, field);
            continue;
        }
        if (IsEventScriptKey(field.key) && OpensEventLocalBlock(field.value)) {
            value->Assign(field.value);
            *value += "\r\n";
            ReadLocalBlock(lines, LocalBlockOwner::Event, *value);
        } else {
            value->Assign(field.value);
        }
        if (!field.comment.IsEmpty())
            AssignTabbedComment(*event.comments.GetOrInsert(field.key), field.comment);
    }
    line += lines.LineFeeds();
    return true;
}
