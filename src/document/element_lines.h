// The lines of an item, use or event text, taken one at a time.
#pragma once

#include <cstdint>

#include "document/merx_base.h"
#include "pattern/regex_types.h"

// Key and value pattern of item lines, and of use and event lines.
inline constexpr const char* kItemFieldPattern = "%{%/k%e%/0W%{%/0j%}%$%}";
inline constexpr const char* kUseEventFieldPattern = "%{%/k%e%*0W%{%/0j%}%$%}";

// One line taken apart.
struct CFieldLine {
    CMerxString comment; // from the first "#" on; empty when the line has none
    CMerxString trimmed; // the line before its comment, trimmed
    CMerxString key;     // lower-case key; empty when the line is no field line
    CMerxString value;

    bool IsField() const { return !key.IsEmpty(); }
};

// An "@@include" line of an item or event: its value, and its comment
// behind a tab, join the field's earlier includes as one more "@@include"
// line.
void AppendIncludeLine(CMerxString& field, const CFieldLine& line);

class CElementLines {
public:
    // Cuts `text` at every "\n"; the first line (the rest of the keyword
    // line) is passed over.
    explicit CElementLines(const char* text);

    bool AtEnd() const { return m_nPos >= m_lines.GetCount(); }
    // The current line as it stands.
    const CMerxString& Current() const { return m_lines[m_nPos]; }
    void Next() { ++m_nPos; }
    // 1-based number of the current line in the data text, given the number
    // of lines before the element.
    uint32_t LineNumber(uint32_t linesBefore) const { return linesBefore + m_nPos + 1; }
    // Line feeds in the element text.
    uint32_t LineFeeds() const { return m_lines.GetCount() - 1; }

    // Takes the current line apart: comment, trimmed text, and key and value
    // when `fieldPattern` splits the trimmed text.
    void ReadField(const char* fieldPattern, CFieldLine& out);

private:
    CStrArray_base<64> m_lines;
    uint32_t m_nPos = 1;
    CStrRegexMatchStruct m_captures;
};
