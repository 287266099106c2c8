#include "pattern/sjis_backslash_matcher.h"

int32_t MatchSjisBackslashChar(const char* pos, CStrRegexStruct*, CStrRegexBody*, uint32_t)
{
    return (IsSjisPair(pos[0], pos[1]) && pos[1] == 0x5C) ? 2 : -1;
}
