#include "document/kept_writer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "document/data_writer.h"
#include "document/element_compare.h"
#include "document/element_reader.h"
#include "document/kept_check.h"
#include "document/line_merge.h"
#include "document/place_lines.h"

namespace {

// Reads kept and merged element texts under the document's keys, built once.
class CKeptReader : public CElementReader {
public:
    CKeptReader(const CMerxDocument& doc, CStr_base<1024>& messages) : CElementReader(doc, messages)
    {
        m_keys.Build(doc);
    }

    bool Read(Citemstruct& item, std::string_view text)
    {
        uint32_t line = 0;
        return ReadItem(item, text.data(), static_cast<uint32_t>(text.size()), line);
    }
    bool Read(Ceventstruct& event, std::string_view text)
    {
        uint32_t line = 0;
        return ReadEvent(event, text.data(), static_cast<uint32_t>(text.size()), line);
    }
};

// Appends `text` with its "\r\n" line ends as "\n".
void AppendWithLineFeeds(CWriterText& out, const CWriterText& text)
{
    const char* at = text.GetBuffer();
    const char* end = at + text.GetLength();
    while (at < end) {
        const char* cr = static_cast<const char*>(std::memchr(at, '\r', static_cast<size_t>(end - at)));
        if (!cr || cr + 1 >= end) {
            out.Append(at, static_cast<int32_t>(end - at));
            return;
        }
        out.Append(at, static_cast<int32_t>(cr - at));
        if (cr[1] != '\n')
            out += "\r";
        at = cr + 1;
    }
}

void AppendView(CWriterText& out, std::string_view text) { out.Append(text.data(), static_cast<int32_t>(text.size())); }

// The first line of `block`, without its line feed.
std::string_view FirstLine(std::string_view block) { return block.substr(0, block.find('\n')); }

// A function block's text after its keyword line.
std::string_view Body(std::string_view block)
{
    const size_t lineFeed = block.find('\n');
    return lineFeed == std::string_view::npos ? std::string_view() : block.substr(lineFeed + 1);
}

// Whether the last line of `out` is unfinished with more than blanks on it,
// or unfinished at all when `next` does not begin with a keyword: then the
// next element must begin a line of its own.
bool NeedsLineEnd(const CWriterText& out, std::string_view next)
{
    uint32_t length = out.GetLength();
    if (length == 0 || out[length - 1] == '\n')
        return false;
    if (next.substr(0, 2) != "@@")
        return true;
    for (uint32_t i = length; i > 0 && out[i - 1] != '\n'; --i)
        if (out[i - 1] != ' ' && out[i - 1] != '\t')
            return true;
    return false;
}

bool IsBlankByte(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Whether the first line of `text` holds nothing but white space: such a
// text behind an item or event begins its place lines.
bool BeginsWithBlankLine(const char* text)
{
    while (IsBlankByte(*text))
        ++text;
    return *text == '\n';
}

// Leaves out the blank lines that end `out`, and the blanks behind its last
// line feed (that line feed stays). Blank lines at the end of an item or
// event stay the element's only while no place lines follow them; in front
// of place lines they would join them on reading.
void DropTrailingBlankLines(CWriterText& out)
{
    uint32_t end = out.GetLength();
    uint32_t piece = end;
    while (piece > 0 && IsBlankByte(out[piece - 1]))
        --piece;
    if (piece > 0 && out[piece - 1] == '\n')
        end = piece;
    while (end > 0 && out[end - 1] == '\n') {
        uint32_t start = end - 1;
        while (start > 0 && IsBlankByte(out[start - 1]))
            --start;
        if (start == 0 || out[start - 1] != '\n')
            break;
        end = start;
    }
    out.Truncate(end);
}

} // namespace

// Does the work of the writer: the reader and elements to read into, and
// where the function blocks go.
class CKeptWriter::CWork {
public:
    // Attempts before every element is written in the writer's layout.
    static constexpr int kAttempts = 4;

    explicit CWork(const CMerxDocument& doc) : m_doc(doc), m_formatter(doc), m_reader(doc, m_messages) {}

    // The places of the function blocks in the arrangement, once.
    void PlanFunctions();
    // Every element of the arrangement, in order, with the places of the
    // items and events in `pieces`; in `cut`, those that lost lines they
    // need to the section header behind them.
    void AppendAll(CWriterText& out, std::vector<CWrittenPiece>& pieces, std::vector<const CMERX_base*>& cut);
    // From now on `element` is written in the writer's layout: a function
    // element whole at its first place. False when it already was.
    bool Force(const CMERX_base* element);
    // From now on every item, event and function element.
    void ForceAll();
    // Ends the last line of `out`; the last piece when it ends there.
    void EndLastLine(CWriterText& out, std::vector<CWrittenPiece>& pieces, std::vector<const CMERX_base*>& cut);
    // With `withParts`, the function blocks that stood behind it follow.
    void AppendElement(CWriterText& out, const CMERX_base& element, bool withParts);
    // A function element at its first place.
    void AppendFunction(CWriterText& out, const Csinglestruct& function);
    // With `withParts`, the function blocks that stood inside or behind it.
    void AppendOther(CWriterText& out, const Cotherstruct& other, bool withParts);
    // The function blocks that stood behind `element`.
    void AppendPartsBehind(CWriterText& out, const CMERX_base& element);
    void AppendParts(CWriterText& out, const std::vector<const CKeptFunctionPart*>& parts);
    // One function block as it was read.
    void AppendPart(CWriterText& out, const CKeptFunctionPart& part);

    std::string_view Kept(const CKeptSpan& span) const
    {
        if (span.IsEmpty() || span.offset > m_doc.keptText.size() || span.length > m_doc.keptText.size() - span.offset)
            return {};
        return std::string_view(m_doc.keptText).substr(span.offset, span.length);
    }

private:
    // Whether `text` reads as the item or event `element`.
    bool ReadsAs(const CMERX_base& element, std::string_view text);
    template <class T>
    void AppendFieldElement(CWriterText& out, const T& element, T& scratch, T& check);
    CWriterText Formatted(const Citemstruct& item) const { return m_formatter.WriteItem(item); }
    CWriterText Formatted(const Ceventstruct& event) const { return m_formatter.WriteEvent(event); }
    std::vector<const CKeptFunctionPart*> PartsOf(const CMERX_base* function) const;
    bool Unchanged(const Csinglestruct& function, const std::vector<const CKeptFunctionPart*>& parts) const;

    const CMerxDocument& m_doc;
    const CMerxWriter m_formatter;
    CStr_base<1024> m_messages;
    CKeptReader m_reader;
    Citemstruct m_item;
    Citemstruct m_itemCheck;
    Ceventstruct m_event;
    Ceventstruct m_eventCheck;
    // Function elements written as their blocks, and the later blocks by
    // the element they follow.
    std::unordered_map<const CMERX_base*, bool> m_asParts;
    std::unordered_map<const CMERX_base*, std::vector<const CKeptFunctionPart*>> m_behind;
    bool m_bPlanned = false;
    // Elements whose kept text did not read back where it stood.
    std::unordered_set<const CMERX_base*> m_forced;
    bool m_bForceAll = false;
    // Where AppendElement puts the items and events, while AppendAll runs.
    std::vector<CWrittenPiece>* m_pPieces = nullptr;
};

template <class T>
void CKeptWriter::CWork::AppendFieldElement(CWriterText& out, const T& element, T& scratch, T& check)
{
    if (m_bForceAll || m_forced.count(&element)) {
        AppendWithLineFeeds(out, Formatted(element));
        return;
    }
    std::string_view kept = Kept(element.GetKeptSpan());
    // The last line of the data without its line end gets one, which
    // changes nothing but the last line of an open script block: the
    // element then reads as what it holds only when its text is written
    // anew.
    std::string ended;
    const size_t lastLineFeed = kept.rfind('\n');
    if (!kept.empty() && kept.find_first_not_of(" \t", lastLineFeed == std::string_view::npos ? 0 : lastLineFeed + 1) !=
                             std::string_view::npos) {
        ended.assign(kept);
        ended += '\n';
        kept = ended;
    }
    if (!kept.empty()) {
        // What the element held as read, it holds still: its text stays.
        if (ended.empty() && element.GetKeptSpan().content == ContentHash(element)) {
            AppendView(out, kept);
            return;
        }
        m_messages.Truncate(0);
        if (m_reader.Read(scratch, kept)) {
            if (SameContent(scratch, element)) {
                AppendView(out, kept);
                return;
            }
            const CWriterText before = Formatted(scratch);
            const CWriterText now = Formatted(element);
            if (before == now) {
                AppendView(out, kept);
                return;
            }
            CWriterText merged;
            MergeChangedLines(kept, std::string_view(before.GetBuffer(), before.GetLength()),
                              std::string_view(now.GetBuffer(), now.GetLength()), merged);
            // Read in the file, a merged text loses the lines from a blank
            // one on when only blank and comment lines follow it (a removed
            // last field may leave such lines last): then it is no text of
            // this element alone.
            m_messages.Truncate(0);
            if (FindPlaceLines(merged.GetBuffer(), merged.GetLength()) == merged.GetLength() &&
                m_reader.Read(check, std::string_view(merged.GetBuffer(), merged.GetLength())) &&
                Formatted(check) == now) {
                out += merged;
                return;
            }
            AppendWithLineFeeds(out, now);
            return;
        }
    }
    AppendWithLineFeeds(out, Formatted(element));
}

std::vector<const CKeptFunctionPart*> CKeptWriter::CWork::PartsOf(const CMERX_base* function) const
{
    std::vector<const CKeptFunctionPart*> parts;
    for (const CKeptFunctionPart& part : m_doc.keptFunctionParts)
        if (part.function == function && !Kept(part.span).empty())
            parts.push_back(&part);
    return parts;
}

bool CKeptWriter::CWork::Unchanged(const Csinglestruct& function, const std::vector<const CKeptFunctionPart*>& parts) const
{
    std::string_view text(function.text.GetBuffer(), function.text.GetLength());
    for (const CKeptFunctionPart* part : parts) {
        const std::string_view body = Body(Kept(part->span));
        if (text.substr(0, body.size()) != body)
            return false;
        text.remove_prefix(body.size());
    }
    return text.empty();
}

void CKeptWriter::CWork::PlanFunctions()
{
    if (m_bPlanned)
        return;
    m_bPlanned = true;
    std::unordered_map<const CMERX_base*, uint32_t> position;
    for (uint32_t i = 0; i < m_doc.setdata.GetCount(); ++i)
        position.emplace(m_doc.setdata[i], i);
    for (auto [keyword, function] : m_doc.singledata) {
        const std::vector<const CKeptFunctionPart*> parts = PartsOf(&function);
        const auto at = position.find(&function);
        if (parts.empty() || at == position.end() || !Unchanged(function, parts))
            continue;
        // Each later block behind its element, in the order read: read
        // again, they join the first in the same order.
        uint32_t last = at->second;
        bool inPlace = true;
        for (size_t i = 1; i < parts.size() && inPlace; ++i) {
            const auto anchor = parts[i]->anchor ? position.find(parts[i]->anchor) : position.end();
            inPlace = anchor != position.end() && anchor->second >= last;
            if (inPlace)
                last = anchor->second;
        }
        if (!inPlace)
            continue;
        m_asParts[&function] = true;
        for (size_t i = 1; i < parts.size(); ++i)
            m_behind[parts[i]->anchor].push_back(parts[i]);
    }
    // Blocks of several keywords behind one element, in file order.
    for (auto& [anchor, parts] : m_behind)
        std::sort(parts.begin(), parts.end(), [](const CKeptFunctionPart* a, const CKeptFunctionPart* b) {
            return a->span.offset < b->span.offset;
        });
}

void CKeptWriter::CWork::AppendFunction(CWriterText& out, const Csinglestruct& function)
{
    PlanFunctions();
    const std::vector<const CKeptFunctionPart*> parts = PartsOf(&function);
    if (m_asParts.count(&function)) {
        AppendPart(out, *parts.front());
        return;
    }
    if (function.text.IsEmpty())
        return;
    if (parts.empty())
        out += function.keyword;
    else
        AppendView(out, FirstLine(Kept(parts.front()->span)));
    out += "\n";
    out += function.text;
    if (out[out.GetLength() - 1] != '\n')
        out += "\n";
}

void CKeptWriter::CWork::AppendOther(CWriterText& out, const Cotherstruct& other, bool withParts)
{
    // A function block that stood inside the text (later other text joined
    // it) goes back there while the text from there on still begins with a
    // keyword line; otherwise it follows the text.
    const std::string_view text(other.text.GetBuffer(), other.text.GetLength());
    const auto found = withParts ? m_behind.find(&other) : m_behind.end();
    if (found == m_behind.end()) {
        AppendView(out, text);
        return;
    }
    std::vector<const CKeptFunctionPart*> rest;
    size_t done = 0;
    for (const CKeptFunctionPart* part : found->second) {
        const size_t at = part->anchorTextLength;
        // The blanks in front of a keyword are the text's, so the block
        // may begin behind blanks on its line.
        size_t lineBegin = at;
        while (lineBegin > 0 && lineBegin <= text.size() && (text[lineBegin - 1] == ' ' || text[lineBegin - 1] == '\t'))
            --lineBegin;
        const bool lineStart = at >= done && at < text.size() && (lineBegin == 0 || text[lineBegin - 1] == '\n');
        size_t keyword = at;
        while (lineStart && keyword < text.size() && (text[keyword] == ' ' || text[keyword] == '\t'))
            ++keyword;
        if (!lineStart || text.substr(keyword, 2) != "@@") {
            rest.push_back(part);
            continue;
        }
        AppendView(out, text.substr(done, at - done));
        AppendPart(out, *part);
        done = at;
    }
    AppendView(out, text.substr(done));
    AppendParts(out, rest);
}

void CKeptWriter::CWork::AppendPartsBehind(CWriterText& out, const CMERX_base& element)
{
    const auto found = m_behind.find(&element);
    if (found != m_behind.end())
        AppendParts(out, found->second);
}

void CKeptWriter::CWork::AppendParts(CWriterText& out, const std::vector<const CKeptFunctionPart*>& parts)
{
    for (const CKeptFunctionPart* part : parts) {
        const std::string_view block = Kept(part->span);
        if (NeedsLineEnd(out, block))
            out += "\n";
        AppendPart(out, *part);
    }
}

void CKeptWriter::CWork::AppendPart(CWriterText& out, const CKeptFunctionPart& part)
{
    const uint32_t start = out.GetLength();
    AppendView(out, Kept(part.span));
    if (m_pPieces)
        m_pPieces->push_back({part.function, start, out.GetLength() - start});
}

bool CKeptWriter::CWork::Force(const CMERX_base* element)
{
    if (!m_forced.insert(element).second || m_bForceAll)
        return false;
    if (element->GetKind() == CMERX_TYPE_SINGLE) {
        PlanFunctions();
        m_asParts.erase(element);
        for (auto& [anchor, parts] : m_behind)
            parts.erase(std::remove_if(parts.begin(), parts.end(),
                                       [element](const CKeptFunctionPart* part) { return part->function == element; }),
                        parts.end());
    }
    return true;
}

void CKeptWriter::CWork::ForceAll()
{
    PlanFunctions();
    m_bForceAll = true;
    m_asParts.clear();
    m_behind.clear();
}

void CKeptWriter::CWork::AppendElement(CWriterText& out, const CMERX_base& element, bool withParts)
{
    if (element.GetKind() == CMERX_TYPE_OTHER) {
        AppendOther(out, static_cast<const Cotherstruct&>(element), withParts);
        return;
    }
    const uint32_t start = out.GetLength();
    switch (element.GetKind()) {
    case CMERX_TYPE_ITEM:
        AppendFieldElement(out, static_cast<const Citemstruct&>(element), m_item, m_itemCheck);
        if (m_pPieces)
            m_pPieces->push_back({&element, start, out.GetLength() - start});
        break;
    case CMERX_TYPE_EVENT:
        AppendFieldElement(out, static_cast<const Ceventstruct&>(element), m_event, m_eventCheck);
        if (m_pPieces)
            m_pPieces->push_back({&element, start, out.GetLength() - start});
        break;
    case CMERX_TYPE_SINGLE:
        AppendFunction(out, static_cast<const Csinglestruct&>(element));
        break;
    case CMERX_TYPE_DEFINE:
        out += static_cast<const Cdefinestruct&>(element).text;
        break;
    default: // use entries are written by their items
        break;
    }
    if (withParts)
        AppendPartsBehind(out, element);
}

bool CKeptWriter::CWork::ReadsAs(const CMERX_base& element, std::string_view text)
{
    m_messages.Truncate(0);
    if (element.GetKind() == CMERX_TYPE_ITEM)
        return m_reader.Read(m_item, text) && SameContent(m_item, static_cast<const Citemstruct&>(element));
    return m_reader.Read(m_event, text) && SameContent(m_event, static_cast<const Ceventstruct&>(element));
}

void CKeptWriter::CWork::EndLastLine(CWriterText& out, std::vector<CWrittenPiece>& pieces,
                                      std::vector<const CMERX_base*>& cut)
{
    const bool pieceEnds = !pieces.empty() && pieces.back().offset + pieces.back().length == out.GetLength();
    out += "\n";
    if (!pieceEnds)
        return;
    // The line end is the piece's. Behind blanks in front of a keyword
    // that no longer follows, it makes them a line, which an open script
    // takes as one of its own.
    CWrittenPiece& last = pieces.back();
    ++last.length;
    const uint8_t kind = last.element->GetKind();
    if ((kind == CMERX_TYPE_ITEM || kind == CMERX_TYPE_EVENT) &&
        !ReadsAs(*last.element, std::string_view(out.GetBuffer() + last.offset, last.length)))
        cut.push_back(last.element);
}

void CKeptWriter::CWork::AppendAll(CWriterText& out, std::vector<CWrittenPiece>& pieces,
                                   std::vector<const CMERX_base*>& cut)
{
    PlanFunctions();
    m_pPieces = &pieces;
    CWriterText piece;
    for (uint32_t i = 0; i < m_doc.setdata.GetCount(); ++i) {
        const CMERX_base* element = m_doc.setdata[i];
        // A function element that stands in the arrangement twice is
        // written at its first place only.
        if (element->GetKind() == CMERX_TYPE_SINGLE && m_doc.FindInArrangement(element) != static_cast<int32_t>(i))
            continue;
        if (element->GetKind() == CMERX_TYPE_OTHER && i > 0 &&
            (m_doc.setdata[i - 1]->GetKind() == CMERX_TYPE_ITEM || m_doc.setdata[i - 1]->GetKind() == CMERX_TYPE_EVENT) &&
            BeginsWithBlankLine(static_cast<const Cotherstruct*>(element)->text.GetBuffer())) {
            DropTrailingBlankLines(out);
            // Lines of white space alone may be lines of a script.
            if (!pieces.empty() && pieces.back().offset + pieces.back().length > out.GetLength()) {
                CWrittenPiece& last = pieces.back();
                last.length = out.GetLength() - last.offset;
                if (!ReadsAs(*last.element, std::string_view(out.GetBuffer() + last.offset, last.length)))
                    cut.push_back(last.element);
            }
        }
        // Behind a finished line the element goes straight in; behind an
        // unfinished one it is looked at first.
        if (out.IsEmpty() || out[out.GetLength() - 1] == '\n') {
            AppendElement(out, *element, true);
            continue;
        }
        piece.Truncate(0);
        const size_t first = pieces.size();
        AppendElement(piece, *element, true);
        if (piece.IsEmpty())
            continue;
        if (NeedsLineEnd(out, std::string_view(piece.GetBuffer(), piece.GetLength())))
            EndLastLine(out, pieces, cut);
        for (size_t p = first; p < pieces.size(); ++p)
            pieces[p].offset += out.GetLength();
        out += piece;
    }
    if (out.GetLength() && out[out.GetLength() - 1] != '\n')
        EndLastLine(out, pieces, cut);
    m_pPieces = nullptr;
}

CKeptWriter::CKeptWriter(const CMerxDocument& doc) : m_doc(doc) {}

CKeptWriter::~CKeptWriter() = default;

CKeptWriter::CWork& CKeptWriter::Work() const
{
    if (!m_work)
        m_work = std::make_unique<CWork>(m_doc);
    return *m_work;
}

CWriterText CKeptWriter::WriteDocument() const
{
    CWork& work = Work();
    // Mostly the kept text again: room for it and some more, so that the
    // text is not copied as it grows.
    const uint32_t room =
        static_cast<uint32_t>(std::min<size_t>(m_doc.keptText.size() + m_doc.keptText.size() / 8 + 4096, UINT32_MAX / 2));
    // An element that would not read back where it stands is written in
    // the writer's layout, and the text is made again: it reads back then
    // unless its neighbours moved the cuts too. One that does not read back
    // even in the writer's layout holds what no layout can write (a script
    // line that reads as a keyword); it stays so, as the formatter would
    // write it. Should new ones keep turning up, every item, event and
    // function is written in the writer's layout.
    // One text for every attempt, given out without a copy.
    CWriterText out;
    out.Reserve(room);
    for (int attempt = 0;; ++attempt) {
        out.Truncate(0);
        std::vector<CWrittenPiece> pieces;
        std::vector<const CMERX_base*> cut;
        work.AppendAll(out, pieces, cut);
        if (out.GetLength() == m_doc.keptText.size() &&
            std::memcmp(out.GetBuffer(), m_doc.keptText.data(), out.GetLength()) == 0)
            return out; // the text as it was read
        bool forced = false;
        for (size_t index : FindMisreadPieces(out.GetBuffer(), m_doc.IsIncludeAsElement(), pieces))
            forced |= work.Force(pieces[index].element);
        for (const CMERX_base* element : cut)
            forced |= work.Force(element);
        if (!forced)
            return out;
        if (attempt == CWork::kAttempts)
            work.ForceAll();
    }
}

CWriterText CKeptWriter::WriteElement(const CMERX_base& element) const
{
    CWork& work = Work();
    CWriterText text;
    work.AppendElement(text, element, false);
    if (text.GetLength() && text[text.GetLength() - 1] != '\n')
        text += "\n";
    CWriterText out;
    for (uint32_t i = 0; i < text.GetLength(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            out += "\r";
        out.Append(text[i]);
    }
    return out;
}
