#include "pattern/sjis_backslash_matcher.h"

int32_t MatchSjisBackslashChar(const char* pos, CStrRegexStruct*, CStrRegexBody*, uint32_t)
{
    return (IsSjisLeadByte(static_cast<unsigned char>(pos[0])) && pos[1] == 0x5C) ? 2 : -1;
}
