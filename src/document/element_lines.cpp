#include "document/element_lines.h"

#include "document/keyword_match.h"
#include "pattern/str_regex.h"

CElementLines::CElementLines(const char* text)
{
    m_lines.Split(text, "\n");
}

void CElementLines::ReadField(const char* fieldPattern, CFieldLine& out)
{
    const CMerxString& line = Current();
    const int32_t hash = line.Find("#");
    if (hash >= 0) {
        out.comment.Assign(line.GetBuffer() + hash);
        out.trimmed.Assign(line.GetBuffer(), hash);
    } else {
        out.comment.Release();
        out.trimmed.Assign(line);
    }
    out.trimmed.Regex("%/0W%{%+0j%e%/0W%$%}", "s", &m_captures, "%0v");

    out.key.Release();
    out.value.Release();
    if (out.trimmed.Regex(fieldPattern, "s", &m_captures) > 0 && m_captures.GetCount() >= 2) {
        // The key is printable ASCII: every byte is a character of its own.
        const CStr_base<16384>& key = m_captures[1];
        for (uint32_t i = 0; i < key.GetLength(); ++i)
            out.key.Append(AsciiLower(key[i]));
        out.value.Assign(m_captures[0]);
    }
}

void AppendIncludeLine(CMerxString& field, const CFieldLine& line)
{
    if (!field.IsEmpty())
        field += "\r\n\t@@include\t";
    field += line.value;
    if (!line.comment.IsEmpty()) {
        field += "\t";
        field += line.comment;
    }
}
