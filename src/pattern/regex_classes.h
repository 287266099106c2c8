// Character classes of the pattern language (%d, %w, %j, ...).
#pragma once

#include <cstdint>

// True for the escape letters that match one character of a class.
bool StrRegexIsClassLetter(char letter);

// Bytes that the class `letter` consumes at pos (end is the end of the
// text), or -1 when it does not match there.
int32_t StrRegexClassMatch(char letter, const char* pos, const char* end);
