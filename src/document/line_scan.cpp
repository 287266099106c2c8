#include "document/line_scan.h"

#include <cstring>

namespace {

// A printable ASCII character ("%k"), compared as a signed byte.
bool IsPrintableAscii(char c)
{
    return c >= 0x21 && c <= 0x7E;
}

} // namespace

uint32_t FindCharByte(const char* text, uint32_t from, uint32_t length, char byte)
{
    while (from < length) {
        const void* hit = std::memchr(text + from, byte, length - from);
        if (!hit)
            return length;
        const uint32_t at = static_cast<uint32_t>(static_cast<const char*>(hit) - text);
        if (IsSjisCharStart(text, from, at))
            return at;
        from = at + 1;
    }
    return length;
}

void TrimRange(const char* text, uint32_t length, uint32_t& start, uint32_t& end)
{
    // Leading white space goes whole; the kept part then ends behind the
    // last byte that is no white space (the shortest part behind which only
    // white space remains). White-space bytes are neither lead bytes nor
    // second bytes, so they are characters of their own wherever they stand.
    uint32_t p = 0;
    while (p < length && IsPatternWhiteSpace(text[p]))
        ++p;
    start = p;
    uint32_t last = length;
    while (last > start && IsPatternWhiteSpace(text[last - 1]))
        --last;
    end = last;
}

bool SplitFieldLine(const char* text, uint32_t length, uint32_t& keyEnd, uint32_t& valueStart)
{
    // A run of printable ASCII (none of it lead bytes), the white space
    // behind it, and everything after.
    uint32_t p = 0;
    while (p < length && IsPrintableAscii(text[p]))
        ++p;
    if (p == 0)
        return false;
    keyEnd = p;
    while (p < length && IsPatternWhiteSpace(text[p]))
        ++p;
    valueStart = p;
    return true;
}

uint32_t SplitWords(const char* text, uint32_t length, CWordRange* words, uint32_t max)
{
    // Each match takes at least one character, then characters up to white
    // space or the end, then all of that white space.
    uint32_t count = 0;
    uint32_t p = 0;
    while (p < length && count < max) {
        const uint32_t start = p;
        p += CharLengthIn(text, p, length);
        while (p < length && !IsPatternWhiteSpace(text[p]))
            p += CharLengthIn(text, p, length);
        words[count].start = start;
        words[count].length = p - start;
        ++count;
        while (p < length && IsPatternWhiteSpace(text[p]))
            ++p;
    }
    return count;
}

bool IsLocalClosingLine(const char* text, uint32_t length)
{
    static constexpr char kLocal[] = "_local_";
    static constexpr uint32_t kLocalLength = sizeof kLocal - 1;
    // Leading white space before "_local_" changes nothing: "_local_" must
    // start a character, white space may follow, then "#" or the end.
    for (uint32_t at = FindCharByte(text, 0, length, '_'); at < length;
         at = FindCharByte(text, at + 1, length, '_')) {
        if (length - at < kLocalLength || std::memcmp(text + at, kLocal, kLocalLength) != 0)
            continue;
        uint32_t p = at + kLocalLength;
        while (p < length && IsPatternWhiteSpace(text[p]))
            ++p;
        if (p == length || text[p] == '#')
            return true;
    }
    return false;
}
