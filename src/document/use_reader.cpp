// Reading the @@USE entries of an item.
#include "document/element_reader.h"
#include "document/line_scan.h"
#include "document/local_block.h"
#include "foundation/sjis_literal.h"
#include "pattern/str_regex.h"

namespace {

bool IsUseScriptKey(const CFieldKey& key)
{
    return key == "func" || key == "funci" || key == "funcb";
}

// Appends a comment entry that runs parallel to a list entry: "" for a line
// without comment, otherwise a tab and the comment.
void AppendListComment(CStrArray_base<64>& comments, const CLineText& comment)
{
    CMerxString* entry = comments.Add();
    if (!comment.IsEmpty()) {
        entry->Assign("\t");
        entry->Append(comment.text, static_cast<int32_t>(comment.length));
    }
}

} // namespace

void CElementReader::ParseUse(Cusestruct& use, const CFieldLine& start, uint32_t number, CElementLines& lines,
                              uint32_t line)
{
    use.Clear();
    use.fields.AddKeysOf(m_keys.useFields);
    use.lists.AddKeysOf(m_keys.useLists);
    use.listcomments.AddKeysOf(m_keys.useLists);
    use.comments.AddKeysOf(m_keys.comments);
    // The start line keeps its comment; anything else on it has no place.
    if (!start.comment.IsEmpty())
        AssignPiece(*use.comments.GetOrInsert(kUseLineCommentKey), start.comment);
    if (!start.value.IsEmpty())
        Message(SJ("[%u]：@@USE：\"%s\"を解析できません。\n"), number, start.value.ToString().GetBuffer());
    ReadUseLines(use, lines, line);
    use.TrimValues();
}

void CElementReader::ReadUseLines(Cusestruct& use, CElementLines& lines, uint32_t line)
{
    // Lists and fields gain no keys while the use is read. The "ung" list
    // is taken when its first line comes: a use without one holds no lists.
    const bool ungDefined = static_cast<const Cusestruct&>(use).GetList("ung") != nullptr;
    CStrArray_base<64>* ung = nullptr;
    CStrArray_base<64>* ungComments = nullptr;
    const bool argselectField = use.GetField("argselect") != nullptr;

    CFieldLine field;
    m_seenUseFields.clear();
    while (!lines.AtEnd()) {
        const uint32_t number = lines.LineNumber(line);
        lines.ReadField(field);
        if (field.key == "@@use")
            return; // the item starts the next use with this line
        lines.Next();
        if (!field.IsField()) {
            ReadNonFieldLine(use, field, "\t\t", SJ("[%u]：@@USE：\"%s\"を解析できません。\n"), number);
            continue;
        }
        if ((field.key == "use" || field.key == "need" || field.key == "get") && ungDefined) {
            if (!ung) {
                ung = use.GetList("ung");
                ungComments = use.GetListComments("ung");
            }
            if (!ReadUngLine(*ung, *ungComments, field))
                Message(SJ("[%u]：@@USE：use/need/get の6語目以降は使われません。\n"), number);
            continue;
        }
        if (field.key == "argselect" && argselectField) {
            ReadArgselect(use, field, number);
            continue;
        }
        const uint32_t hash = field.key.GetHash();
        // "ung" entries come from use, need and get lines only.
        if (field.key != "ung") {
            if (CStrArray_base<64>* list = use.lists.Lookup(field.key, hash)) {
                AssignPiece(*list->Add(), field.value);
                AppendListComment(*use.listcomments.Lookup(field.key, hash), field.comment);
                continue;
            }
        }
        CMerxString* value = use.fields.Lookup(field.key, hash);
        if (!value) {
            Message(SJ("[%u]：@@USE：要素名\"%s\"は定義されていません。\n"), number, field.key.GetBuffer());
            if (field.value == "_local_")
                SkipLocalBlock(lines);
            continue;
        }
        NoteRepeatedField(m_seenUseFields, value, field, "@@USE", number);
        if (IsUseScriptKey(field.key) && field.value == "_local_") {
            value->Assign("_local_\r\n");
            ReadLocalBlock(lines, LocalBlockOwner::Use, *value);
        } else {
            AssignPiece(*value, field.value);
        }
        if (!field.comment.IsEmpty())
            AssignPiece(*use.comments.GetOrInsert(field.key, hash), field.comment);
    }
}

bool CElementReader::ReadUngLine(CStrArray_base<64>& list, CStrArray_base<64>& comments, const CFieldLine& field)
{
    // The first five words of the line (the first is use, need or get),
    // joined by tabs; missing words leave empty columns. A sixth word is
    // looked for only to tell that words were left out.
    constexpr uint32_t kColumns = 5;
    CWordRange words[kColumns + 1];
    const uint32_t count = SplitWords(field.trimmed.text, field.trimmed.length, words, kColumns + 1);
    m_ungEntry.clear();
    for (uint32_t i = 0; i < kColumns; ++i) {
        if (i)
            m_ungEntry += '\t';
        if (i < count)
            m_ungEntry.append(field.trimmed.text + words[i].start, words[i].length);
    }
    list.Add()->Assign(m_ungEntry.data(), static_cast<int32_t>(m_ungEntry.size()));
    AppendListComment(comments, field.comment);
    return count <= kColumns;
}

void CElementReader::ReadArgselect(Cusestruct& use, const CFieldLine& field, uint32_t number)
{
    // The heading, then the choices as pairs: "heading;a;b;c;d".
    CStrArray_base<64> parts;
    parts.Split(field.value.ToString(), ";");
    const uint32_t count = parts.GetCount();
    if (count < 2 || count % 2 == 0) {
        Message(SJ("[%u]：@@USE：\"argselect\"の書式を認識できません。\n"), number);
        return;
    }
    use.SetField("argselect", parts[0]);
    if (!field.comment.IsEmpty())
        AssignPiece(*use.comments.GetOrInsert("argselect"), field.comment);
    CStrArray_base<64>* list = use.GetList("argselect");
    CStrArray_base<64>* comments = use.GetListComments("argselect");
    if (!list || !comments)
        return;
    for (uint32_t i = 1; i + 1 < count; i += 2) {
        CMerxString* choice = list->Add();
        choice->Assign(parts[i]);
        *choice += ";";
        *choice += parts[i + 1];
        comments->Add();
    }
}
