// Reading the @@USE entries of an item.
#include "document/line_scan.h"
#include "document/local_block.h"
#include "document/merx_reader.h"
#include "foundation/sjis_literal.h"
#include "pattern/str_regex.h"

namespace {

bool IsUseScriptKey(const CMerxString& key)
{
    return key == "func" || key == "funci" || key == "funcb";
}

void AddList(Cusestruct& use, const char* key)
{
    use.lists.GetOrInsert(key);
    use.listcomments.GetOrInsert(key);
}

// Appends one list entry and its comment ("" or a tab and the comment) to
// the list under `key` (with its hash) and to its comments.
void AppendListEntry(Cusestruct& use, const char* key, uint32_t hash, const char* entry, const CMerxString& comment)
{
    use.lists.Lookup(key, hash)->Add()->Assign(entry);
    CMerxString* entryComment = use.listcomments.Lookup(key, hash)->Add();
    if (!comment.IsEmpty()) {
        entryComment->Assign("\t");
        *entryComment += comment;
    }
}

} // namespace

void CMerxReader::ParseUse(Cusestruct& use, CElementLines& lines, uint32_t line)
{
    use.Clear();
    use.fields.Reserve(m_doc.usekeys.GetCount() + m_doc.usefieldextkeys.GetCount());
    use.lists.Reserve(m_doc.uselistkeys.GetCount() + m_doc.uselistextkeys.GetCount());
    use.listcomments.Reserve(m_doc.uselistkeys.GetCount() + m_doc.uselistextkeys.GetCount());
    for (const CMerxString& key : m_doc.usekeys)
        use.fields.GetOrInsert(key);
    for (const CMerxString& key : m_doc.uselistkeys)
        AddList(use, key);
    for (const CMerxString& key : m_doc.usefieldextkeys)
        use.fields.GetOrInsert(key);
    for (const CMerxString& key : m_doc.uselistextkeys)
        AddList(use, key);
    use.comments.GetOrInsert("");

    CFieldLine field;
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
        if ((field.key == "use" || field.key == "need" || field.key == "get") && use.GetList("ung")) {
            ReadUngLine(use, field);
            continue;
        }
        if (field.key == "argselect" && use.GetField("argselect")) {
            ReadArgselect(use, field, number);
            continue;
        }
        // The key's hash serves every look-up of the line.
        const uint32_t hash = CMerxFieldMap::Hash(field.key);
        // "ung" entries come from use, need and get lines only.
        if (field.key != "ung" && use.lists.Lookup(field.key, hash)) {
            AppendListEntry(use, field.key, hash, field.value, field.comment);
            continue;
        }
        CMerxString* value = use.fields.Lookup(field.key, hash);
        if (!value) {
            Message(SJ("[%u]：@@USE：要素名\"%s\"は定義されていません。\n"), number, field.key.GetBuffer());
            if (field.value == "_local_")
                SkipLocalBlock(lines);
            continue;
        }
        if (IsUseScriptKey(field.key) && field.value == "_local_") {
            value->Assign("_local_\r\n");
            ReadLocalBlock(lines, LocalBlockOwner::Use, *value);
        } else {
            value->Assign(field.value);
        }
        if (!field.comment.IsEmpty())
            use.SetComment(field.key, field.comment);
    }
}

void CMerxReader::ReadUngLine(Cusestruct& use, const CFieldLine& field)
{
    // The first five words of the line (the first is use, need or get),
    // joined by tabs; missing words leave empty columns.
    constexpr uint32_t kColumns = 5;
    CWordRange words[kColumns];
    const uint32_t count = SplitWords(field.trimmed, field.trimmed.GetLength(), words, kColumns);
    CMerxString entry;
    for (uint32_t i = 0; i < kColumns; ++i) {
        if (i)
            entry += "\t";
        if (i < count)
            entry.Append(field.trimmed.GetBuffer() + words[i].start, static_cast<int32_t>(words[i].length));
    }
    AppendListEntry(use, "ung", 0, entry, field.comment);
}

void CMerxReader::ReadArgselect(Cusestruct& use, const CFieldLine& field, uint32_t number)
{
    // The heading, then the choices as pairs: "heading;a;b;c;d".
    CStrArray_base<64> parts;
    parts.Split(field.value, ";");
    const uint32_t count = parts.GetCount();
    if (count < 2 || count % 2 == 0) {
        Message(SJ("[%u]：@@USE：\"argselect\"の書式を認識できません。\n"), number);
        return;
    }
    use.SetField("argselect", parts[0]);
    if (!field.comment.IsEmpty())
        use.SetComment("argselect", field.comment);
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
