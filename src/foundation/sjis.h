// Shift-JIS (code page 932) character boundaries.
//
// A lead byte (0x81..0x9F or 0xE0..0xFC) and the byte after it are one
// double-byte character when that byte can be a second byte (0x40..0x7E or
// 0x80..0xFC). Before any other byte (a control character such as CR or LF,
// a blank, a digit or sign below 0x40, 0x7F, 0xFD..0xFF) and at the end of
// a text, a lead byte is a character of its own: a stray lead byte never
// takes a line end or a separator with it. Every scan of the system steps
// over characters by these functions alone.
#pragma once

#include <cstddef>

inline bool IsSjisLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Whether `c` can be the second byte of a double-byte character. Every lead
// byte can.
inline bool IsSjisTrailByte(unsigned char c)
{
    return c >= 0x40 && c <= 0xFC && c != 0x7F;
}

// Whether the two bytes are one double-byte character.
inline bool IsSjisPair(char first, char second)
{
    return IsSjisLeadByte(static_cast<unsigned char>(first)) && IsSjisTrailByte(static_cast<unsigned char>(second));
}

// Length in bytes (1 or 2) of the character that starts at p; p points into
// a zero-terminated text and must not point at its terminator.
inline size_t SjisCharLength(const char* p)
{
    return IsSjisLeadByte(static_cast<unsigned char>(p[0])) && IsSjisTrailByte(static_cast<unsigned char>(p[1])) ? 2 : 1;
}

// Length in bytes (1 or 2) of the character at `at` in the range of
// `length` bytes at `text` (at < length); a lead byte that ends the range is
// a character of its own, whatever follows the range.
inline size_t SjisCharLength(const char* text, size_t at, size_t length)
{
    return at + 1 < length && IsSjisPair(text[at], text[at + 1]) ? 2 : 1;
}

// Whether the byte at `at` starts a character of a text scanned from the
// character start `from` (from <= at). Every byte that is no lead byte ends
// a character, so the lead bytes right before `at` pair up from the first
// of them: the byte at `at` is a second byte only when an odd number of
// them precede it and it can be one.
inline bool IsSjisCharStart(const char* text, size_t from, size_t at)
{
    if (!IsSjisTrailByte(static_cast<unsigned char>(text[at])))
        return true;
    size_t leads = 0;
    while (at - leads > from && IsSjisLeadByte(static_cast<unsigned char>(text[at - leads - 1])))
        ++leads;
    return leads % 2 == 0;
}
