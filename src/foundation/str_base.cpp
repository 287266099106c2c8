#include "foundation/str_base.h"

alignas(8) const char g_szStrEmpty[1] = {0};

int32_t SjisFind(const char* text, uint32_t length, const char* needle, int32_t start)
{
    if (start < 0)
        return -1;
    if (!needle || !*needle)
        return 0;
    const size_t n = std::strlen(needle);
    // `start` is taken as a character start; characters are stepped from it.
    uint32_t from = static_cast<uint32_t>(start);
    if (from > length)
        return -1;
    while (from + n <= length) {
        const void* hit = std::memchr(text + from, needle[0], length - from - n + 1);
        if (!hit)
            return -1;
        const uint32_t at = static_cast<uint32_t>(static_cast<const char*>(hit) - text);
        if (IsSjisCharStart(text, from, at)) {
            if (std::memcmp(text + at, needle, n) == 0)
                return static_cast<int32_t>(at);
            from = at + static_cast<uint32_t>(SjisCharLength(text, at, length));
        } else {
            from = at + 1;
        }
    }
    return -1;
}
