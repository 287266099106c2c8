#include "foundation/str_base.h"

const char g_szStrEmpty[1] = {0};

int32_t SjisFind(const char* text, uint32_t length, const char* needle, int32_t start)
{
    if (start < 0)
        return -1;
    if (!needle || !*needle)
        return 0;
    const size_t n = std::strlen(needle);
    const unsigned char first = static_cast<unsigned char>(needle[0]);
    // `start` is taken as a character start; characters are stepped from it.
    uint32_t p = static_cast<uint32_t>(start);
    if (p > length)
        return -1;
    while (p + n <= length) {
        if (static_cast<unsigned char>(text[p]) == first && std::memcmp(text + p, needle, n) == 0)
            return static_cast<int32_t>(p);
        p += static_cast<uint32_t>(SjisCharLength(text + p));
    }
    return -1;
}
