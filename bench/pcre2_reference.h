// The same searches and replacements done with PCRE2's interpreter (no JIT),
// as the yardstick for the pattern engine. Every call compiles its pattern,
// as the engine does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct Pcre2Matches {
    uint32_t count = 0;
    uint64_t offsetSum = 0;  // sum of the match offsets, to compare hit lists cheaply
};

// All non-overlapping matches of `pattern` (PCRE2 syntax) in the text.
Pcre2Matches Pcre2FindAll(const char* pattern, const char* text, size_t length);

// Replaces every match of `pattern` by `replacement` (pcre2_substitute with
// PCRE2_SUBSTITUTE_GLOBAL); `count` receives the number of replacements.
std::string Pcre2ReplaceAll(const char* pattern, const char* text, size_t length, const char* replacement,
                            uint32_t* count);
