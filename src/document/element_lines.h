// The lines of an item, use or event text, taken one at a time.
#pragma once

#include <cstdint>

#include "document/merx_base.h"

// One line taken apart.
struct CFieldLine {
    CMerxString comment; // from the first "#" on; empty when the line has none
    CMerxString trimmed; // the line before its comment, trimmed
    CMerxString key;     // lower-case key; empty when the line is no field line
    CMerxString value;

    bool IsField() const { return !key.IsEmpty(); }
};

// A line as it stands in the element text, without its line feed.
struct CLineText {
    const char* text;
    uint32_t length;
};

// An "@@include" line of an item or event: its value, and its comment
// behind a tab, join the field's earlier includes as one more "@@include"
// line.
void AppendIncludeLine(CMerxString& field, const CFieldLine& line);

// The lines are the pieces of the text between its line feeds (those that
// start a character); the piece after the last line feed counts too. The
// text must outlive the lines.
class CElementLines {
public:
    // The first line (the rest of the keyword line) is passed over.
    explicit CElementLines(const char* text);

    bool AtEnd() const { return m_bAtEnd; }
    // The current line as it stands.
    CLineText Current() const { return {m_pText + m_nStart, m_nEnd - m_nStart}; }
    void Next();
    // 1-based number of the current line in the data text, given the number
    // of lines before the element.
    uint32_t LineNumber(uint32_t linesBefore) const { return linesBefore + m_nPos + 1; }
    // Line feeds in the element text.
    uint32_t LineFeeds() const;

    // Takes the current line apart: comment, trimmed text, and key and value
    // when the line is a field line (a key, white space and the value).
    void ReadField(CFieldLine& out) const;

private:
    // Finds the end of the line that starts at m_nStart.
    void FindEnd();

    const char* m_pText;
    uint32_t m_nLength;
    uint32_t m_nStart = 0; // the current line: [m_nStart, m_nEnd)
    uint32_t m_nEnd = 0;
    uint32_t m_nPos = 0;   // index of the current line
    bool m_bAtEnd = false;
};
