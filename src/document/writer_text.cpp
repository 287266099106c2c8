#include "document/writer_text.h"

#include <cstdarg>

namespace {

void AppendBytes(void* sink, const char* bytes, size_t n)
{
    static_cast<CWriterText*>(sink)->Append(bytes, static_cast<int32_t>(n));
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
    const uint32_t length = lines.GetLength();
    if (length && lines[length - 1] == '\n')
        lines.Truncate(length - 1);
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
