#include "document/reopen_check.h"

#include <cstring>
#include <string>

#include "document/block_split.h"
#include "document/data_writer.h"
#include "document/element_reader.h"
#include "document/line_scan.h"
#include "foundation/sjis_literal.h"
#include "foundation/text_file.h"

namespace {

// The text of one element as a reopen reads it, and the blocks the reader
// cuts it into.
struct CReopened {
    std::string text;
    CStrRegexHitList blocks;

    CReopened(const CMerxDocument& doc, const CWriterText& written)
        : text(written.GetBuffer(), written.GetLength())
    {
        CollapseCrLf(text);
        SplitDataBlocks(text.c_str(), doc.IsIncludeAsElement(), blocks);
    }

    const char* Block(uint32_t i) const { return text.c_str() + blocks[i].offset; }
    // 1-based number of the line at `offset`.
    uint32_t LineAt(size_t offset) const
    {
        uint32_t line = 1;
        for (size_t i = 0; i < offset; i += SjisCharLength(text.c_str() + i))
            line += text[i] == '\n';
        return line;
    }
    // The line at `offset`, from there to its end.
    std::string LineFrom(size_t offset) const { return text.substr(offset, text.find('\n', offset) - offset); }
};

void Explain(CStr_base<1024>* reason, const char* format, const CReopened& reopened, size_t offset)
{
    if (!reason)
        return;
    CStr_base<1024> line;
    line.Format(format, reopened.LineAt(offset), reopened.LineFrom(offset).c_str());
    *reason += line;
}

// An element of one block only: a second block would be read as an element
// of its own.
bool IsOneBlock(const CReopened& reopened, CStr_base<1024>* reason)
{
    if (reopened.blocks.GetCount() <= 1)
        return true;
    Explain(reason, SJ("[%u]：\"%s\"の行は別の要素の始まりとして読まれます。\n"), reopened,
            reopened.blocks[1].offset);
    return false;
}

// An other text: no block that the reader would take for an element of
// another kind (a "@@DEFINE" block only behind the definition, where it is
// other text), and an end of the data only in the last element.
bool OtherSurvives(const CMerxDocument& doc, int32_t position, const CReopened& reopened, CStr_base<1024>* reason)
{
    const bool last = position >= 0 && static_cast<uint32_t>(position) + 1 == doc.setdata.GetCount();
    const bool behindDefinition = position > doc.FindInArrangement(&doc.definedata);
    for (uint32_t i = 0; i < reopened.blocks.GetCount(); ++i) {
        const size_t offset = reopened.blocks[i].offset;
        bool ends = false;
        const CBlockKind kind = BlockKindOf(reopened.Block(i));
        switch (kind == CBlockKind::Define && behindDefinition ? CBlockKind::Other : kind) {
        case CBlockKind::Other:
            continue;
        case CBlockKind::Skip: {
            bool closed = false;
            i = FindSkipEnd(reopened.text.c_str(), reopened.blocks, i, closed);
            ends = !closed;
            break;
        }
        case CBlockKind::End:
            ends = true;
            break;
        default:
            Explain(reason, SJ("[%u]：\"%s\"の行は別の要素の始まりとして読まれます。\n"), reopened, offset);
            return false;
        }
        if (ends) {
            if (last)
                return true;
            Explain(reason, SJ("[%u]：\"%s\"の行から後ろはすべてデータの終わりとして読まれます。\n"), reopened,
                    offset);
            return false;
        }
    }
    return true;
}

// The element read back from the reopened text into a fresh one and
// written again; empty when the reader refused the text or reported lines.
CWriterText ReadAndWriteAgain(const CMerxDocument& doc, const CMERX_base& element, const CReopened& reopened,
                              CStr_base<1024>& messages)
{
    CElementReader reader(doc, messages);
    CMerxWriter writer(doc);
    const char* text = reopened.text.c_str();
    uint32_t line = 0;
    switch (element.GetKind()) {
    case CMERX_TYPE_ITEM: {
        Citemstruct fresh;
        if (reader.ParseItem(fresh, text, line) && messages.IsEmpty())
            return writer.WriteElement(fresh);
        break;
    }
    case CMERX_TYPE_EVENT: {
        Ceventstruct fresh;
        if (reader.ParseEvent(fresh, text, line) && messages.IsEmpty())
            return writer.WriteElement(fresh);
        break;
    }
    case CMERX_TYPE_DEFINE: {
        Cdefinestruct fresh;
        if (reader.ParseDefine(fresh, text, line) && messages.IsEmpty())
            return writer.WriteElement(fresh);
        break;
    }
    case CMERX_TYPE_SINGLE: {
        // The keyword line, then the text, as the whole-file reader takes it.
        const auto& single = static_cast<const Csinglestruct&>(element);
        if (!doc.singledata.Lookup(single.keyword)) {
            messages.Format(SJ("[%u]：\"%s\"を認識できません。\n"), 1u, single.keyword.GetBuffer());
            break;
        }
        Csinglestruct fresh;
        fresh.keyword.Assign(single.keyword);
        const size_t lineFeed = reopened.text.find('\n');
        fresh.text.Assign(text + lineFeed + 1);
        return writer.WriteElement(fresh);
    }
    default:
        break;
    }
    return CWriterText();
}

// `position`: the element's place in the arrangement, or -1.
bool Survives(const CMerxDocument& doc, int32_t position, const CMERX_base& element, CStr_base<1024>* reason)
{
    const CWriterText written = CMerxWriter(doc).WriteElement(element);
    // What is not written (a function block without text) comes back as
    // it is: empty.
    if (written.IsEmpty())
        return true;
    const CReopened reopened(doc, written);
    if (element.GetKind() == CMERX_TYPE_OTHER)
        return OtherSurvives(doc, position, reopened, reason);
    if (!IsOneBlock(reopened, reason))
        return false;

    CStr_base<1024> messages;
    const CWriterText again = ReadAndWriteAgain(doc, element, reopened, messages);
    if (!messages.IsEmpty()) {
        if (reason)
            *reason += messages;
        return false;
    }
    if (again == written)
        return true;
    // The line in which the texts part.
    const CReopened changed(doc, again);
    size_t at = 0;
    while (at < reopened.text.size() && reopened.text[at] == changed.text[at])
        ++at;
    const size_t lineFeed = at == 0 ? std::string::npos : reopened.text.rfind('\n', at - 1);
    Explain(reason, SJ("[%u]：保存して開き直すと\"%s\"の行が変わります。\n"), reopened,
            lineFeed == std::string::npos ? 0 : lineFeed + 1);
    return false;
}

} // namespace

bool SurvivesReopen(const CMerxDocument& doc, const CMERX_base& element, CStr_base<1024>* reason)
{
    return Survives(doc, doc.FindInArrangement(&element), element, reason);
}

bool SurvivesReopenAt(const CMerxDocument& doc, uint32_t position, const CMERX_base& element,
                      CStr_base<1024>* reason)
{
    return Survives(doc, static_cast<int32_t>(position), element, reason);
}

uint32_t FindLocalClosingLine(const char* script, uint32_t length)
{
    uint32_t line = 1;
    for (uint32_t start = 0; start <= length; ++line) {
        const char* feed = static_cast<const char*>(std::memchr(script + start, '\n', length - start));
        const uint32_t end = feed ? static_cast<uint32_t>(feed - script) : length;
        uint32_t stop = end;
        if (stop > start && script[stop - 1] == '\r')
            --stop;
        if (IsLocalClosingLine(script + start, stop - start))
            return line;
        if (!feed)
            break;
        start = end + 1;
    }
    return 0;
}

bool CheckScriptLines(const char* label, const char* script, uint32_t length, CStr_base<1024>& errors)
{
    const uint32_t line = FindLocalClosingLine(script, length);
    if (line == 0)
        return true;
    CStr_base<1024> message;
    message.Format(SJ("[%s]\t%u行目：\"_local_\"で終わる行はスクリプトの終わりと読まれるため使用できません。\n"), label,
                   line);
    errors.Append(message);
    return false;
}
