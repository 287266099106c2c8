#include "document/element_lines.h"

#include <cstring>

#include "document/line_scan.h"
#include "foundation/ascii_case.h"

CElementLines::CElementLines(const char* text) : CElementLines(text, static_cast<uint32_t>(std::strlen(text))) {}

CElementLines::CElementLines(const char* text, uint32_t length) : m_pText(text), m_nLength(length)
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

void CFieldKey::Assign(const char* text, uint32_t length)
{
    // The key is printable ASCII: every byte is a character of its own. The
    // hash is the field maps' own, summed while the key is copied.
    char* to = m_aText;
    if (length >= sizeof m_aText) {
        m_strLong.Release();
        m_strLong.Reserve(length + 2);
        for (uint32_t i = 0; i < length; ++i)
            m_strLong.Append(AsciiLower(text[i]));
        m_nLength = length;
        m_nHash = CMerxFieldMap::Hash(m_strLong);
        return;
    }
    uint32_t hash = 0;
    for (uint32_t i = 0; i < length; ++i) {
        const char c = AsciiLower(text[i]);
        to[i] = c;
        hash += static_cast<uint32_t>(static_cast<int8_t>(c)) * (257u + i);
    }
    to[length] = 0;
    m_nLength = length;
    m_nHash = hash;
}

void CElementLines::ReadField(CFieldLine& out) const
{
    const CLineText line = Current();
    const uint32_t hash = FindCharByte(line.text, 0, line.length, '#');
    out.comment = {line.text + hash, line.length - hash};

    uint32_t start = 0;
    uint32_t end = 0;
    TrimRange(line.text, hash, start, end);
    out.trimmed = {line.text + start, end - start};

    uint32_t keyEnd = 0;
    uint32_t valueStart = 0;
    if (SplitFieldLine(out.trimmed.text, out.trimmed.length, keyEnd, valueStart)) {
        out.key.Assign(out.trimmed.text, keyEnd);
        out.value = {out.trimmed.text + valueStart, out.trimmed.length - valueStart};
    } else {
        out.key.Clear();
        out.value = {};
    }
}

void AppendIncludeLine(CMerxString& field, const CFieldLine& line)
{
    if (!field.IsEmpty())
        field += "\r\n\t@@include\t";
    field.Append(line.value.text, static_cast<int32_t>(line.value.length));
    if (!line.comment.IsEmpty()) {
        field += "\t";
        field.Append(line.comment.text, static_cast<int32_t>(line.comment.length));
    }
}
