// Shift-JIS (code page 932) character boundaries.
//
// A byte 0x81..0x9F or 0xE0..0xFC followed by a non-zero byte is one
// double-byte character; every scan of the system steps over such a
// character whole.
#pragma once

#include <cstddef>

inline bool IsSjisLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Length in bytes (1 or 2) of the character that starts at p; p points into
// a zero-terminated text and must not point at its terminator.
inline size_t SjisCharLength(const char* p)
{
    return (IsSjisLeadByte(static_cast<unsigned char>(p[0])) && p[1] != 0) ? 2 : 1;
}
