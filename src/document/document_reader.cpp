// Reading a whole data text: blocks, function blocks, skipped parts and
// the end of the data.
#include <cstring>
#include <new>
#include <string>
#include <utility>

#include "document/block_split.h"
#include "document/merx_reader.h"
#include "document/place_lines.h"
#include "foundation/sjis_literal.h"
#include "pattern/str_regex.h"

namespace {

// Line feeds among the characters of the first `length` bytes of `text`.
uint32_t CountLineFeeds(const char* text, uint32_t length)
{
    uint32_t count = 0;
    for (uint32_t i = 0; i < length; i += static_cast<uint32_t>(SjisCharLength(text + i)))
        count += text[i] == '\n';
    return count;
}

} // namespace

bool CMerxReader::Parse(const char* text)
{
    // The text may be the kept text itself, which Clear forgets.
    std::string copy;
    try {
        copy.assign(text);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return Parse(std::move(copy));
}

bool CMerxReader::Parse(std::string&& given)
{
    try {
        // The text ends at its first zero byte, as every text does.
        std::string kept;
        kept.swap(given);
        if (const size_t end = kept.find('\0'); end != std::string::npos)
            kept.erase(end);
        m_doc.Clear();
        m_doc.keptText.swap(kept);
        kept = std::string();
        const char* text = m_doc.keptText.c_str();
        m_pKeptText = text;
        m_nKeptLength = static_cast<uint32_t>(m_doc.keptText.size());
        m_keys.Build(m_doc);
        CStrRegexHitList blocks;
        SplitDataBlocks(text, m_doc.IsIncludeAsElement(), blocks);
        const bool defineSeen = ReadBlocks(text, blocks);
        PlaceBeforeEnd(defineSeen);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const void* raised) {
        // Arrays whose storage runs out raise a null pointer of their
        // element type; any other pointer is not this reader's to catch.
        if (raised)
            throw;
        return false;
    }
}

bool CMerxReader::ReadBlocks(const char* text, const CStrRegexHitList& blocks)
{
    uint32_t line = 0;
    bool defineSeen = false;
    CMerxBlockText block;
    for (uint32_t i = 0; i < blocks.GetCount(); ++i) {
        const char* start = text + blocks[i].offset;
        const int32_t length = static_cast<int32_t>(blocks[i].length);

        // Items and events are read where they stand. A block that is not
        // the last ends in a line feed and blanks, so a keyword test that
        // runs past a shorter block fails within it, as on a copy. The
        // lines behind them that belong to their place are other text.
        switch (BlockKindOf(start)) {
        case CBlockKind::Item: {
            const uint32_t end = FindPlaceLines(start, static_cast<uint32_t>(length));
            Citemstruct* item = m_doc.itemdata.Add();
            ReadItem(*item, start, end, line);
            *m_doc.setdata.Add() = item;
            ReadPlaceLines(start + end, static_cast<uint32_t>(length) - end, line);
            continue;
        }
        case CBlockKind::Event: {
            const uint32_t end = FindPlaceLines(start, static_cast<uint32_t>(length));
            Ceventstruct* event = m_doc.eventdata.Add();
            ReadEvent(*event, start, end, line);
            *m_doc.setdata.Add() = event;
            ReadPlaceLines(start + end, static_cast<uint32_t>(length) - end, line);
            continue;
        }
        case CBlockKind::Function:
            block.Assign(start, length);
            ReadFunctionBlock(block, start, static_cast<uint32_t>(length), line);
            break;
        case CBlockKind::End:
            // The end of the data and everything behind it: one element of
            // its own, before which later elements are inserted.
            *m_doc.setdata.Add() = NewOtherText(start, -1);
            return defineSeen;
        case CBlockKind::Define:
            if (!defineSeen) {
                block.Assign(start, length);
                uint32_t defineLine = line;
                ParseDefine(m_doc.definedata, block, defineLine);
                *m_doc.setdata.Add() = &m_doc.definedata;
                defineSeen = true;
            } else {
                AppendOtherText(start, length);
            }
            break;
        case CBlockKind::Skip:
            i = ReadSkip(text, blocks, i, line);
            continue;
        case CBlockKind::Other:
            AppendOtherText(start, length);
            break;
        }
        line += CountLineFeeds(start, static_cast<uint32_t>(length));
    }
    return defineSeen;
}

uint32_t CMerxReader::ReadSkip(const char* text, const CStrRegexHitList& blocks, uint32_t first, uint32_t& line)
{
    // Everything up to the matching @@ENDSKIP, unread. A skip that is never
    // closed hides the rest of the data like @@END: it stays an element of
    // its own, so that elements inserted before the end are not hidden with
    // it.
    bool closed = false;
    const uint32_t last = FindSkipEnd(text, blocks, first, closed);
    const char* start = text + blocks[first].offset;
    const uint32_t length = blocks[last].offset + blocks[last].length - blocks[first].offset;
    if (closed)
        AppendOtherText(start, static_cast<int32_t>(length));
    else
        *m_doc.setdata.Add() = NewOtherText(start, static_cast<int32_t>(length));
    line += CountLineFeeds(start, length);
    return last;
}

void CMerxReader::PlaceBeforeEnd(bool defineSeen)
{
    if (!defineSeen) {
        m_doc.definedata.Clear();
        m_doc.definedata.text.Assign("@@DEFINE\n");
        m_doc.InsertIntoArrangement(m_doc.FindEndPosition(), &m_doc.definedata);
    }
    for (auto [keyword, function] : m_doc.singledata) {
        if (m_doc.FindInArrangement(&function) < 0)
            m_doc.InsertIntoArrangement(m_doc.FindEndPosition(), &function);
    }
}

void CMerxReader::ReadFunctionBlock(const char* block, const char* start, uint32_t length, uint32_t line)
{
    CStrRegexMatchStruct captures;
    StrRegex(block, "%/0w%{%/k%}", "s", &captures);
    const char* keyword = captures.GetCount() ? captures[0].GetBuffer() : "";

    Csinglestruct* function = m_doc.FindFunction(keyword);
    if (!function) {
        // Reported, and kept as other text: what the reader cannot place
        // stays in the file.
        Message(SJ("[%u]：\"%s\"を認識できません。\n"), line + 1, keyword);
        AppendOtherText(start, static_cast<int32_t>(length));
        return;
    }
    // A keyword line without a line feed (the end of the data) holds no
    // text, but stands where it stood.
    const int32_t lineFeed = SjisFind(block, static_cast<uint32_t>(std::strlen(block)), "\n", 0);
    const char* body = lineFeed < 0 ? "" : block + lineFeed + 1;
    // A function block stands once in the arrangement, where it first
    // appears; later blocks with the same keyword add their lines to it,
    // and are kept with the element they followed.
    CKeptFunctionPart part;
    part.function = function;
    part.span = {static_cast<uint32_t>(start - m_pKeptText), length};
    if (m_doc.FindInArrangement(function) < 0) {
        function->text.Assign(body);
        *m_doc.setdata.Add() = function;
    } else {
        function->text += body;
        part.anchor = *m_doc.setdata.GetLast();
        if (part.anchor->GetKind() == CMERX_TYPE_OTHER)
            part.anchorTextLength = static_cast<const Cotherstruct*>(part.anchor)->text.GetLength();
    }
    m_doc.keptFunctionParts.push_back(part);
}

void CMerxReader::ReadPlaceLines(const char* text, uint32_t length, uint32_t& line)
{
    if (length == 0)
        return;
    AppendOtherText(text, static_cast<int32_t>(length));
    line += CountLineFeeds(text, length);
}

void CMerxReader::AppendOtherText(const char* text, int32_t length)
{
    // Other texts that meet are one element.
    CMERX_base* last = m_doc.setdata.GetCount() ? *m_doc.setdata.GetLast() : nullptr;
    if (last && last->GetKind() == CMERX_TYPE_OTHER) {
        static_cast<Cotherstruct*>(last)->text.Append(text, length);
        return;
    }
    *m_doc.setdata.Add() = NewOtherText(text, length);
}

Cotherstruct* CMerxReader::NewOtherText(const char* text, int32_t length)
{
    Cotherstruct* other = m_doc.otherdata.Add();
    other->text.Assign(text, length);
    return other;
}
