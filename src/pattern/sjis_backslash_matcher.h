// User matcher 0 of the editor: a double-byte character whose second byte is
// 0x5C (the backslash). Patterns such as "%0u%!z\" find such characters that
// are not followed by a backslash.
#pragma once

#include "pattern/regex_types.h"

int32_t MatchSjisBackslashChar(const char* pos, const CStrRegexStruct* node, const CStrRegexBody* body, uint32_t index);

