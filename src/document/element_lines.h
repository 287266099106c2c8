// The lines of an item, use or event text, taken one at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "document/merx_base.h"

// A piece of an element text as it stands there: `length` bytes from
// `text`, without a terminator of its own. The element text holds no zero
// byte, so neither does the piece.
struct CLineText {
    const char* text = "";
    uint32_t length = 0;

    bool IsEmpty() const { return length == 0; }
    template <size_t M>
    bool operator==(const char (&literal)[M]) const
    {
        return length == M - 1 && std::memcmp(text, literal, M - 1) == 0;
    }
    // The piece as a string of its own.
    CMerxString ToString() const
    {
        CMerxString copy;
        copy.Assign(text, static_cast<int32_t>(length));
        return copy;
    }
};

// Stores `piece` in `to` (in place of what it held).
inline void AssignPiece(CMerxString& to, const CLineText& piece)
{
    to.Assign(piece.text, static_cast<int32_t>(piece.length));
}

// The key of a field line in lower case, zero-terminated, with its hash in
// the field maps.
class CFieldKey {
public:
    // Takes `length` bytes of printable ASCII and lower-cases them.
    void Assign(const char* text, uint32_t length);
    void Clear()
    {
        m_nLength = 0;
        m_nHash = 0;
        m_aText[0] = 0;
    }

    const char* GetBuffer() const { return m_nLength < sizeof m_aText ? m_aText : m_strLong.GetBuffer(); }
    operator const char*() const { return GetBuffer(); }
    uint32_t GetLength() const { return m_nLength; }
    bool IsEmpty() const { return m_nLength == 0; }
    uint32_t GetHash() const { return m_nHash; }
    template <size_t M>
    bool operator==(const char (&literal)[M]) const
    {
        return m_nLength == M - 1 && std::memcmp(GetBuffer(), literal, M - 1) == 0;
    }

private:
    char m_aText[32] = {};   // a key shorter than the buffer
    CMerxString m_strLong;   // any longer key
    uint32_t m_nLength = 0;
    uint32_t m_nHash = 0;
};

// One line taken apart; the pieces point into the element text.
struct CFieldLine {
    CLineText comment; // from the first "#" on; empty when the line has none
    CLineText trimmed; // the line before its comment, trimmed
    CFieldKey key;     // lower-case key; empty when the line is no field line
    CLineText value;

    bool IsField() const { return !key.IsEmpty(); }
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
    // The first `length` bytes of `text` (none of them a zero byte).
    CElementLines(const char* text, uint32_t length);

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
