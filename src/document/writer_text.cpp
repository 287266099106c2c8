#include "document/writer_text.h"

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
    // A tab is never the second byte of a character.
    const uint32_t length = text.GetLength();
    const char* bytes = text.GetBuffer();
    CWriterText kept;
    uint32_t p = 0;
    uint32_t copied = 0;
    while (p < length) {
        if (bytes[p] != '\t') {
            ++p;
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
    // A line feed is never the second byte of a character.
    if (lines.GetLength() > 0 && lines[lines.GetLength() - 1] == '\n')
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
