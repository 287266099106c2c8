// Case of ASCII letters. Only the 26 letters of each case change; every
// other byte stays as it is. Callers that walk Shift-JIS text step over
// double-byte characters whole, since a second byte may look like a letter.
#pragma once

#include <cstddef>

inline bool IsAsciiUpper(char c)
{
    return c >= 'A' && c <= 'Z';
}

inline bool IsAsciiLower(char c)
{
    return c >= 'a' && c <= 'z';
}

inline char AsciiUpper(char c)
{
    return IsAsciiLower(c) ? static_cast<char>(c - 'a' + 'A') : c;
}

inline char AsciiLower(char c)
{
    return IsAsciiUpper(c) ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether `text` begins with `keyword`, ASCII letters compared without
// regard to case (the keywords of the data file are ASCII).
inline bool StartsWithNoCase(const char* text, const char* keyword)
{
    for (size_t i = 0; keyword[i]; ++i) {
        if (AsciiUpper(text[i]) != AsciiUpper(keyword[i]))
            return false;
    }
    return true;
}
