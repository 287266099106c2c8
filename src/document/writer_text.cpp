#include "document/writer_text.h"

#include <cstdarg>

namespace {

void AppendBytes(void* sink, const char* bytes, size_t n)
{
    static_cast<CWriterText*>(sink)->Append(bytes, static_cast<int32_t>(n));
}

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

void AppendFormat(CWriterText& out, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    StrFormatV(&out, &AppendBytes, format, args);
    va_end(args);
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
