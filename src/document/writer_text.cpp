#include "document/writer_text.h"

namespace {

// Whether the text's last character (not merely its last byte) is a line
// feed: after an odd run of lead bytes, a final "\n" is the second half of a
// double-byte character.
bool EndsWithLineFeed(const CWriterText& text)
{
    const uint32_t length = text.GetLength();
    if (length == 0 || text[length - 1] != '\n')
        return false;
    uint32_t leads = 0;
    while (leads < length - 1 && IsSjisLeadByte(static_cast<unsigned char>(text[length - 2 - leads])))
        ++leads;
    return leads % 2 == 0;
}

} // namespace

void AppendPieces(CWriterText& out, std::initializer_list<const char*> pieces)
{
    for (const char* piece : pieces)
        out += piece;
}

void RemoveTabsBeforeLineEnds(CWriterText& text)
{
    // The pattern is tried at every character start: a run of tabs is
    // matched from its first tab, whole, and only when a CR or the end
    // follows; inside a run that is kept, the later starts fail the same way.
    const uint32_t length = text.GetLength();
    const char* bytes = text.GetBuffer();
    CWriterText kept;
    uint32_t p = 0;
    uint32_t copied = 0;
    while (p < length) {
        if (bytes[p] != '\t') {
            p += IsSjisLeadByte(static_cast<unsigned char>(bytes[p])) && p + 1 < length ? 2 : 1;
            continue;
        }
        uint32_t end = p;
        while (end < length && bytes[end] == '\t')
            ++end;
        if (end == length || bytes[end] == '\r') {
            kept.Append(bytes + copied, static_cast<int32_t>(p - copied));
            copied = end;
        }
        p = end;
    }
    if (copied == 0)
        return;
    kept.Append(bytes + copied, static_cast<int32_t>(length - copied));
    text.Swap(kept);
}

void AppendLinesText(CWriterText& out, const char* text)
{
    CWriterText lines(text);
    if (EndsWithLineFeed(lines))
        lines.Truncate(lines.GetLength() - 1);
    lines.Replace("\n", "\r\n");
    out += lines;
    out += "\r\n";
}

void InsertBeforeFirstLineEnd(CWriterText& value, const char* text)
{
    const int32_t at = value.Find("\r\n");
    if (at < 0) {
        value += text;
        return;
    }
    CWriterText joined;
    joined.Assign(value.GetBuffer(), at);
    joined += text;
    joined += value.GetBuffer() + at;
    value.Swap(joined);
}

bool ContainsKey(const CStrArray_base<64>& keys, const char* key)
{
    for (const CStr_base<64>& k : keys) {
        if (k == key)
            return true;
    }
    return false;
}
