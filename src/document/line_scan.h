// The reader's scans of single lines, written out by hand.
//
// Each scan gives exactly what the pattern named with it gives (options in
// parentheses); the patterns stay here as the definition of the scans, and
// the tests run both over the same lines. The reader runs these scans on
// every line of a data file, where running the patterns costs most of the
// time of an open.
//
// A text here is a range of `length` bytes that starts at a character
// start; as in a zero-terminated text, a lead byte that is the range's last
// byte is a character of its own (foundation/sjis.h).
#pragma once

#include <cstdint>

#include "foundation/sjis.h"

// The line as it stands, cut before its first "#" that starts a character.
inline constexpr const char* kTrimPattern = "%/0W%{%+0j%e%/0W%$%}"; // ("s"), replaced by "%0v"
// Key (capture 1) and value (capture 0) of a trimmed item line, and of a
// trimmed use or event line; both give the same parts.
inline constexpr const char* kItemFieldPattern = "%{%/k%e%/0W%{%/0j%}%$%}";        // ("s")
inline constexpr const char* kUseEventFieldPattern = "%{%/k%e%*0W%{%/0j%}%$%}";    // ("s")
// The words of a trimmed use, need or get line, one match each.
inline constexpr const char* kWordPattern = "%{%+j%e%[%/W%$%]%}"; // ("g")
// A line that closes a "_local_" block.
inline constexpr const char* kLocalClosingPattern = "%/0W_local_%/0W%[#%$%]"; // (none)

// Length (1 or 2) of the character at `at` in a text of `length` bytes.
inline uint32_t CharLengthIn(const char* text, uint32_t at, uint32_t length)
{
    return static_cast<uint32_t>(SjisCharLength(text, at, length));
}

// White space of the patterns ("%W"): tab, blank, line feed, carriage return.
inline bool IsPatternWhiteSpace(char c)
{
    return c == '\t' || c == ' ' || c == '\n' || c == '\r';
}

// The first position at or after `from` (a character start) where a
// character starts with the single-byte character `byte`; `length` when
// there is none.
uint32_t FindCharByte(const char* text, uint32_t from, uint32_t length, char byte);

// The part [start, end) of a text that the trim pattern keeps: without its
// leading white space and without the white-space characters behind its
// last other character.
void TrimRange(const char* text, uint32_t length, uint32_t& start, uint32_t& end);

// A trimmed line taken apart as the field patterns do: the key is
// [0, keyEnd), the value [valueStart, length). False when the line does not
// begin with a printable ASCII character (no field line).
bool SplitFieldLine(const char* text, uint32_t length, uint32_t& keyEnd, uint32_t& valueStart);

// One word of a line: [start, start + length).
struct CWordRange {
    uint32_t start = 0;
    uint32_t length = 0;
};

// The first `max` words of a trimmed line, as the word pattern finds them;
// returns how many were found (at most `max`).
uint32_t SplitWords(const char* text, uint32_t length, CWordRange* words, uint32_t max);

// Whether a line (as it stands, comment included) closes a "_local_" block.
bool IsLocalClosingLine(const char* text, uint32_t length);
