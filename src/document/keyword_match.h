// Case of ASCII letters, and comparing the beginning of a text with a
// keyword without regard to it (the keywords of the data file are ASCII).
#pragma once

#include <cstddef>

inline char AsciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

inline char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool StartsWithNoCase(const char* text, const char* keyword)
{
    for (size_t i = 0; keyword[i]; ++i) {
        if (AsciiUpper(text[i]) != AsciiUpper(keyword[i]))
            return false;
    }
    return true;
}
