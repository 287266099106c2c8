#include "pattern/sjis_backslash_matcher.h"

int32_t MatchSjisBackslashChar(const char* pos, const CStrRegexStruct*, const CStrRegexBody*, uint32_t)
{
    // 0x5C can be a second byte; the byte behind a text's last one is never read.
    return (IsSjisLeadByte(static_cast<unsigned char>(pos[0])) && pos[1] == 0x5C) ? 2 : -1;
}
