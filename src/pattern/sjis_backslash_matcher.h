// User matcher 0 of the editor: a double-byte character whose second byte is
// 0x5C (the backslash). Patterns such as "%0u%!z\" find such characters that
// are not followed by a backslash.
#pragma once

#include "pattern/editor_matchers.h"
#include "pattern/regex_types.h"

int32_t MatchSjisBackslashChar(const char* pos, CStrRegexStruct* node, CStrRegexBody* body, uint32_t index);

// The former name of RegisterEditorMatchers, still called by the document
// tests; returns the matcher's entry number.
inline uint32_t RegisterSjisBackslashMatcher()
{
    RegisterEditorMatchers();
    return 0;
}
