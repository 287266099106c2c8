#include "document/element_lines.h"

#include <cstring>

#include "document/keyword_match.h"
#include "document/line_scan.h"

CElementLines::CElementLines(const char* text) : m_pText(text), m_nLength(static_cast<uint32_t>(std::strlen(text)))
{
    FindEnd();
    Next();
}

void CElementLines::FindEnd()
{
    m_nEnd = FindCharByte(m_pText, m_nStart, m_nLength, '\n');
}

void CElementLines::Next()
{
    if (m_bAtEnd)
        return;
    if (m_nEnd >= m_nLength) {
        m_bAtEnd = true;
        return;
    }
    m_nStart = m_nEnd + 1;
    ++m_nPos;
    FindEnd();
}

uint32_t CElementLines::LineFeeds() const
{
    if (m_bAtEnd)
        return m_nPos;
    uint32_t count = m_nPos;
    for (uint32_t at = m_nEnd; at < m_nLength; at = FindCharByte(m_pText, at + 1, m_nLength, '\n'))
        ++count;
    return count;
}

void CElementLines::ReadField(CFieldLine& out) const
{
    const CLineText line = Current();
    const uint32_t hash = FindCharByte(line.text, 0, line.length, '#');
    out.comment.Truncate(0);
    if (hash < line.length)
        out.comment.Assign(line.text + hash, static_cast<int32_t>(line.length - hash));

    uint32_t start = 0;
    uint32_t end = 0;
    TrimRange(line.text, hash, start, end);
    out.trimmed.Assign(line.text + start, static_cast<int32_t>(end - start));

    out.key.Truncate(0);
    out.value.Truncate(0);
    uint32_t keyEnd = 0;
    uint32_t valueStart = 0;
    if (SplitFieldLine(out.trimmed, out.trimmed.GetLength(), keyEnd, valueStart)) {
        // The key is printable ASCII: every byte is a character of its own.
        char lower[64];
        if (keyEnd < sizeof lower) {
            for (uint32_t i = 0; i < keyEnd; ++i)
                lower[i] = AsciiLower(out.trimmed[i]);
            out.key.Assign(lower, static_cast<int32_t>(keyEnd));
        } else {
            for (uint32_t i = 0; i < keyEnd; ++i)
                out.key.Append(AsciiLower(out.trimmed[i]));
        }
        out.value.Assign(out.trimmed.GetBuffer() + valueStart,
                         static_cast<int32_t>(out.trimmed.GetLength() - valueStart));
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
