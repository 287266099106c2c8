// Character classes of the pattern language (%d, %w, %j, ...).
#pragma once

#include <cstdint>

// True for the escape letters that match one character of a class.
inline bool StrRegexIsClassLetter(char letter)
{
    switch (letter) {
    case 'j': case 'J': case '?': case 'C': case 'w': case 'W': case 'i': case 'I': case 'd': case 'D':
    case 'a': case 'A': case 'l': case 'b': case 'L': case 'B': case 's': case 'S': case 'x': case 'X':
    case 'n': case 'N': case 'k': case 'K': case 'y': case 'Y': case 'c':
        return true;
    default:
        return false;
    }
}

// Bytes that the class `letter` consumes at pos (end is the end of the
// text), or -1 when it does not match there.
int32_t StrRegexClassMatch(char letter, const char* pos, const char* end);
